// The time-difference window: two dates, a compute button and the result in months.

#include <utility>

#include "ui/control_names.h"
#include "ui/layout_builder.h"

namespace velmora {

namespace {

constexpr unsigned kV = kFlagVisible;
constexpr unsigned kVT = kFlagVisible | kFlagTabStop;
constexpr const char* kFrame = "分组框1";

}  // namespace

WindowLayout BuildTimeDifferenceLayout() {
  LayoutEntry window = MakeEntry(ControlType::kWindow, {}, 0, 0, 342, 187, kV, "时差计算");
  window.style = kStyleCentreOnScreen;
  LayoutBuilder builder(WindowKind::kTimeDifference, std::move(window));

  builder.Add(MakeEntry(ControlType::kLabel, "计算时差日期标签2", 32, 91, 32, 24, kV, "截至"));
  builder.Add(MakeEntry(ControlType::kLabel, "计算时差日期标签1", 24, 44, 32, 24, kV, "起始"),
              kFrame);
  LayoutEntry& compute = builder.Add(
      MakeEntry(ControlType::kButton, "时差计算按钮", 200, 75, 80, 24, kVT, "计算"), kFrame);
  compute.events.push_back({kEventClicked, HandlerId::kComputeTimeDifference, 0});
  LayoutEntry& result = builder.Add(MakeEntry(ControlType::kEditBox, std::string(kMonthsBoxName),
                                              200, 43, 48, 24, kV | kFlagDisabled),
                                    kFrame);
  result.style = kStyleCentred | kStyleReadOnly;
  builder.Add(
      MakeEntry(ControlType::kDatePicker, std::string(kStartDateBoxName), 64, 43, 120, 24, kVT),
      kFrame);
  builder.Add(
      MakeEntry(ControlType::kDatePicker, std::string(kEndDateBoxName), 64, 75, 120, 24, kVT),
      kFrame);
  builder.Add(MakeEntry(ControlType::kLabel, "时差标签", 256, 40, 32, 32, kV, "个月"), kFrame);
  builder.Add(MakeEntry(ControlType::kGroupBox, kFrame, 8, 16, 312, 128, kV, "时差"));
  return builder.Finish();
}

}  // namespace velmora
