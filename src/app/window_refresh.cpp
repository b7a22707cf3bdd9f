#include "app/window_refresh.h"

#include <optional>
#include <string>
#include <vector>

#include "runtime/text_ops.h"
#include "ui/control_names.h"

namespace velmora {
namespace {

// The first control of the list whose mark carries that number.
std::optional<ControlRef> FirstWithNumber(const ControlModel& model,
                                          const std::vector<ControlRef>& controls, int number) {
  for (const ControlRef& control : controls) {
    if (NumberFromMark(model.Mark(control)) == number) return control;
  }
  return std::nullopt;
}

std::string DefaultSectionTitle(int section) {
  switch (section) {
    case 1:
      return "版块一";
    case 2:
      return "版块二";
    case 3:
      return "版块三";
    default:
      return "";
  }
}

}  // namespace

void RefreshTags(AppContext& app) {
  ControlModel& model = app.model;
  const ControlRef window = app.MainWindowRef();
  const std::string& edit_box = TypeName(ControlType::kEditBox);
  const auto check_boxes =
      model.FindControls(window, kTagCheckBoxPrefix, TypeName(ControlType::kCheckBox));
  const auto title_boxes = model.FindControls(window, kTagTitleBoxPrefix, edit_box);
  const auto content_boxes = model.FindControls(window, kTagContentBoxPrefix, edit_box);
  // The list is built aside and set in one step, so that a view redraws only what differs.
  std::vector<std::string> ticked;
  for (const ControlRef& check_box : check_boxes) {
    const int tag = NumberFromMark(model.Mark(check_box));
    const auto title_box = FirstWithNumber(model, title_boxes, tag);
    if (!title_box) continue;
    const std::string title = model.Text(*title_box);
    model.SetCaption(check_box, title);
    if (title.empty()) {
      model.SetVisible(check_box, false);
      continue;
    }
    const auto content_box = FirstWithNumber(model, content_boxes, tag);
    if (!content_box) continue;
    model.SetVisible(check_box, true);
    if (model.Checked(check_box)) ticked.push_back(model.Text(*content_box));
  }
  model.SetItems(app.MainControl(kTagListName), std::move(ticked));
  RefreshSectionTitles(app);
}

void RefreshSectionTitles(AppContext& app) {
  ControlModel& model = app.model;
  const ControlRef window = app.MainWindowRef();
  const auto group_boxes =
      model.FindControls(window, kSectionFramePrefix, TypeName(ControlType::kGroupBox));
  const auto title_boxes =
      model.FindControls(window, kSectionTitleBoxPrefix, TypeName(ControlType::kEditBox));
  for (const ControlRef& group_box : group_boxes) {
    const int section = NumberFromMark(model.Mark(group_box));
    const auto title_box = FirstWithNumber(model, title_boxes, section);
    if (!title_box) continue;
    const std::string title = model.Text(*title_box);
    model.SetCaption(group_box, title.empty() ? DefaultSectionTitle(section) : title);
  }
}

}  // namespace velmora
