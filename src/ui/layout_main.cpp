// The main window: the list on the left, the Tag and settings tab control in the middle, the
// clearing and tool buttons below it, the Preset and export controls on the right.

#include <array>
#include <span>
#include <string>

#include "ui/control_names.h"
#include "ui/layout_builder.h"
#include "ui/layout_codes.h"

namespace velmora {

namespace {

constexpr unsigned kV = kFlagVisible;
constexpr unsigned kVT = kFlagVisible | kFlagTabStop;

constexpr int kTagCount = 39;

// Names of the parents that the tables below refer to.
constexpr const char* kFrameTab = "框架选择夹";
constexpr const char* kSettingsTab = "设置选择夹";
constexpr const char* kPresetFrame = "分组框2";

struct TagCheckBoxPlace {
  int tag;
  int left;
  int top;
};

// Tag check boxes in control order, grouped by parent. The page group is placed on the page
// "材料" itself, over the area of Section frame 1.
constexpr std::array<TagCheckBoxPlace, 20> kPageTags = {{
    {11, 104, 64},  {21, 184, 65},  {22, 184, 102}, {12, 104, 101}, {13, 104, 138},
    {23, 184, 139}, {14, 104, 175}, {24, 184, 176}, {15, 104, 212}, {25, 184, 213},
    {16, 104, 249}, {26, 184, 250}, {17, 104, 286}, {27, 184, 287}, {18, 104, 323},
    {28, 184, 324}, {19, 104, 360}, {29, 184, 361}, {30, 184, 401}, {20, 104, 400},
}};
constexpr std::array<TagCheckBoxPlace, 6> kSection3Tags = {{
    {39, 16, 224},
    {38, 16, 184},
    {37, 16, 147},
    {35, 16, 73},
    {34, 16, 36},
    {36, 16, 110},
}};
constexpr std::array<TagCheckBoxPlace, 3> kSection2Tags = {{
    {32, 16, 60},
    {31, 16, 24},
    {33, 16, 96},
}};
constexpr std::array<TagCheckBoxPlace, 10> kSection1Tags = {{
    {6, 16, 209},
    {5, 16, 172},
    {1, 16, 24},
    {9, 16, 320},
    {8, 16, 283},
    {7, 16, 246},
    {4, 16, 135},
    {2, 16, 61},
    {3, 16, 98},
    {10, 16, 360},
}};

// A numbered control's mark: the family code of its kind, then its number padded to the mark's
// length. The logic reads the number back from the mark, never from the name.
std::string NumberedMark(std::string_view family, int number) {
  const std::string digits = std::to_string(number);
  const std::size_t used = family.size() + digits.size();
  const std::size_t padding = used < kNumberedMarkLength ? kNumberedMarkLength - used : 0;
  return std::string(family) + std::string(padding, '0') + digits;
}

LayoutEntry Button(std::string name, int left, int top, std::string caption, HandlerId handler) {
  LayoutEntry entry =
      MakeEntry(ControlType::kButton, std::move(name), left, top, 96, 24, kVT, std::move(caption));
  entry.events.push_back({kEventClicked, handler, 0});
  return entry;
}

void AddTagCheckBoxes(LayoutBuilder& builder, std::span<const TagCheckBoxPlace> places,
                      std::string_view parent, int page) {
  for (const TagCheckBoxPlace& place : places) {
    LayoutEntry& entry =
        builder.Add(MakeEntry(ControlType::kCheckBox, TagCheckBoxName(place.tag), place.left,
                              place.top, 72, 24, kVT, "标签" + std::to_string(place.tag),
                              NumberedMark(kTagCheckBoxMarks, place.tag)),
                    parent, page);
    entry.events.push_back({kEventClicked, HandlerId::kTagClicked, place.tag});
  }
}

void AddSectionFrame(LayoutBuilder& builder, int section, int left, int top, int width, int height,
                     std::string caption) {
  builder.Add(MakeEntry(ControlType::kGroupBox, SectionFrameName(section), left, top, width, height,
                        kV, std::move(caption), NumberedMark(kSectionFrameMarks, section)),
              kFrameTab, 0);
}

void AddSectionTitleBox(LayoutBuilder& builder, int section, int top) {
  LayoutEntry& entry =
      builder.Add(MakeEntry(ControlType::kEditBox, SectionTitleBoxName(section), 64, top, 288, 24,
                            kVT, {}, NumberedMark(kSectionTitleBoxMarks, section)),
                  kSettingsTab, 0);
  entry.events.push_back({kEventContentChanged, HandlerId::kSectionTitleChanged, section});
}

void AddSectionLabel(LayoutBuilder& builder, int section, int top) {
  const std::string number = std::to_string(section);
  builder.Add(
      MakeEntry(ControlType::kLabel, "版块" + number + "标签", 8, top, 48, 24, kV, "版块" + number),
      kSettingsTab, 0);
}

// Page tag + 1 of the settings tab: a frame with the title box, a frame with the content box.
void AddTagTitlePair(LayoutBuilder& builder, int tag) {
  const std::string number = std::to_string(tag);
  const std::string frame = "标签" + number + "分组框";
  LayoutEntry& box = builder.Add(MakeEntry(ControlType::kEditBox, TagTitleBoxName(tag), 16, 24, 328,
                                           56, kVT, {}, NumberedMark(kTagTitleBoxMarks, tag)),
                                 frame);
  box.style = kStyleMultiLine;
  builder.Add(MakeEntry(ControlType::kGroupBox, frame, 16, 32, 360, 88, kV, "标签"), kSettingsTab,
              tag);
}

void AddTagContentPair(LayoutBuilder& builder, int tag) {
  const std::string number = std::to_string(tag);
  const std::string frame = "标签" + number + "内容分组框";
  LayoutEntry& box =
      builder.Add(MakeEntry(ControlType::kEditBox, TagContentBoxName(tag), 16, 24, 328, 224, kVT,
                            {}, NumberedMark(kTagContentBoxMarks, tag)),
                  frame);
  box.style = kStyleMultiLine;
  builder.Add(MakeEntry(ControlType::kGroupBox, frame, 16, 136, 360, 256, kV, "内容"), kSettingsTab,
              tag);
}

void AddTagSettingsPages(LayoutBuilder& builder) {
  // Tag 1 alone has its content pair first.
  AddTagContentPair(builder, 1);
  AddTagTitlePair(builder, 1);
  for (int tag = 2; tag <= kTagCount; ++tag) {
    AddTagTitlePair(builder, tag);
    AddTagContentPair(builder, tag);
  }
}

LayoutEntry MainWindowEntry() {
  LayoutEntry window = MakeEntry(ControlType::kWindow, {}, 50, 50, 981, 621, kV, "Velmorav1.0");
  window.style = kStyleSizeable | kStyleCentreOnScreen;
  window.events.push_back({kEventCreated, HandlerId::kStartupRoutine, 0});
  window.events.push_back({kEventAboutToBeDestroyed, HandlerId::kMainWindowDestroyed, 0});
  return window;
}

void AddExportControls(LayoutBuilder& builder) {
  builder.Add(MakeEntry(ControlType::kLabel, "文档标题标签", 16, 440, 24, 24, kV, "标题"),
              kPresetFrame);
  builder.Add(MakeEntry(ControlType::kEditBox, std::string(kDocumentTitleBoxName), 48, 440, 64, 24,
                        kVT, "清单"),
              kPresetFrame);
  LayoutEntry& numbering =
      builder.Add(MakeEntry(ControlType::kCheckBox, std::string(kNumberingBoxName), 16, 468, 96, 32,
                            kVT, "序号导出"),
                  kPresetFrame);
  numbering.style = kStyleTicked | kStyleCentred;
  numbering.events.push_back({kEventClicked, HandlerId::kNumberingToggle, 0});
  builder.Add(Button("打开目录按钮", 16, 336, "打开目录", HandlerId::kOpenFolder), kPresetFrame);
  builder.Add(Button("导出文档按钮", 16, 304, "导出文档", HandlerId::kExportDocument),
              kPresetFrame);
  builder.Add(Button("时差计算按钮", 8, 24, "时差计算", HandlerId::kOpenTimeDifference), "分组框5");
  builder.Add(MakeEntry(ControlType::kGroupBox, "分组框5", 696, 464, 120, 104, kV, "工具"));
  builder.Add(Button("保存设置按钮", 16, 256, "保存设置", HandlerId::kSavePreset), kPresetFrame);
  builder.Add(Button("预设改名按钮", 840, 176, "预设改名", HandlerId::kRenamePreset));
}

void AddTabs(LayoutBuilder& builder) {
  LayoutEntry& frame_tab =
      builder.Add(MakeEntry(ControlType::kTab, kFrameTab, 408, 8, 408, 448, kV));
  frame_tab.items = {"材料", "设置"};

  AddTagCheckBoxes(builder, kPageTags, kFrameTab, 0);
  AddTagCheckBoxes(builder, kSection3Tags, SectionFrameName(3), -1);
  AddSectionFrame(builder, 3, 288, 176, 104, 263, "版块三");
  AddTagCheckBoxes(builder, kSection2Tags, SectionFrameName(2), -1);
  AddSectionFrame(builder, 2, 287, 40, 105, 128, "版块二");
  AddTagCheckBoxes(builder, kSection1Tags, SectionFrameName(1), -1);
  AddSectionFrame(builder, 1, 8, 40, 272, 400, "版块一");

  AddSectionTitleBox(builder, 2, 84);
  AddSectionTitleBox(builder, 3, 120);
  AddSectionLabel(builder, 2, 84);
  AddSectionLabel(builder, 3, 120);
  AddSectionTitleBox(builder, 1, 48);
  AddSectionLabel(builder, 1, 48);

  AddTagSettingsPages(builder);

  LayoutEntry& settings_tab = builder.Add(MakeEntry(ControlType::kTab, kSettingsTab, 8, 40, 392,
                                                    400, kV, {}, std::string(kSettingsTabMark)),
                                          kFrameTab, 1);
  settings_tab.items.push_back("版块");
  for (int tag = 1; tag <= kTagCount; ++tag) {
    settings_tab.items.push_back("标签" + std::to_string(tag));
  }
}

void AddPresetAndFrames(LayoutBuilder& builder) {
  builder.Add(Button("清空版块按钮", 560, 488, "清空版块", HandlerId::kClearSections));
  builder.Add(Button("清空设置按钮", 560, 528, "清空设置", HandlerId::kClearSettings));
  builder.Add(Button("清空选择按钮", 440, 488, "清空选择", HandlerId::kClearSelection));
  builder.Add(Button("全部清空按钮", 440, 528, "全部清空", HandlerId::kClearAll));
  builder.Add(Button("删除预设按钮", 840, 256, "删除预设", HandlerId::kDeletePreset));
  builder.Add(Button("增加预设按钮", 840, 224, "增加预设", HandlerId::kAddPreset));
  builder.Add(Button("读取预设按钮", 840, 144, "读取预设", HandlerId::kReadPreset));

  LayoutEntry& presets = builder.Add(
      MakeEntry(ControlType::kComboBox, std::string(kPresetBoxName), 840, 90, 96, 20, kVT));
  presets.style = kStyleDropDownList;
  presets.items = {"预设配置一", "预设配置二", "预设配置三"};
  presets.selection = 0;
  presets.events.push_back({kEventListItemSelected, HandlerId::kPickPreset, 0});

  builder.Add(MakeEntry(ControlType::kListBox, std::string(kTagListName), 12, 25, 368, 527, kVT),
              "分组框1");
  builder.Add(MakeEntry(ControlType::kWordApp, "Word程序", 312, 0, 16, 16, 0));
  builder.Add(MakeEntry(ControlType::kWordDocuments, "Word文档集", 272, 0, 24, 16, 0));
  builder.Add(MakeEntry(ControlType::kGroupBox, "分组框1", 8, 8, 392, 560, kV, "清单"));
  builder.Add(MakeEntry(ControlType::kGroupBox, kPresetFrame, 824, 48, 128, 520, kV, "预设"));
  builder.Add(MakeEntry(ControlType::kGroupBox, "分组框3", 416, 464, 272, 104, kV, "清空"));
}

}  // namespace

WindowLayout BuildMainWindowLayout() {
  LayoutBuilder builder(WindowKind::kMain, MainWindowEntry());
  AddExportControls(builder);
  AddTabs(builder);
  AddPresetAndFrames(builder);
  return builder.Finish();
}

}  // namespace velmora
