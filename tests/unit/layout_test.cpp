#include "ui/layout.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "ui/control_types.h"

namespace velmora {
namespace {

const WindowLayout& Main() { return GetWindowLayout(WindowKind::kMain); }
const WindowLayout& TimeDifference() { return GetWindowLayout(WindowKind::kTimeDifference); }

int IndexOf(const WindowLayout& layout, const std::string& name) {
  for (int i = 1; i < static_cast<int>(layout.entries.size()); ++i) {
    if (layout.entries[i].name == name) return i;
  }
  return -1;
}

const LayoutEntry& Entry(const WindowLayout& layout, const std::string& name) {
  const int index = IndexOf(layout, name);
  EXPECT_GT(index, 0) << "no entry named " << name;
  return layout.entries.at(index > 0 ? index : 0);
}

std::vector<std::string> NamesOfType(const WindowLayout& layout, ControlType type) {
  std::vector<std::string> names;
  for (std::size_t i = 1; i < layout.entries.size(); ++i) {
    if (layout.entries[i].type == type) names.push_back(layout.entries[i].name);
  }
  return names;
}

std::string Tag(const char* prefix, int n) { return prefix + std::to_string(n); }

const std::vector<int> kTagControlOrder = {11, 21, 22, 12, 13, 23, 14, 24, 15, 25, 16, 26, 17,
                                           27, 18, 28, 19, 29, 30, 20, 39, 38, 37, 35, 34, 36,
                                           32, 31, 33, 6,  5,  1,  9,  8,  7,  4,  2,  3,  10};

TEST(LayoutTest, WindowsHaveTheirEntryCountsAndOwnSettings) {
  ASSERT_EQ(Main().entries.size(), 230u);
  ASSERT_EQ(TimeDifference().entries.size(), 9u);
  EXPECT_EQ(Main().kind, WindowKind::kMain);
  EXPECT_EQ(TimeDifference().kind, WindowKind::kTimeDifference);

  const LayoutEntry& main = Main().entries[0];
  EXPECT_EQ(main.type, ControlType::kWindow);
  EXPECT_EQ(main.name, "");
  EXPECT_EQ(main.text, "Velmorav1.0");
  EXPECT_EQ(std::tie(main.width, main.height), std::make_tuple(981, 621));
  EXPECT_EQ(main.style, kStyleSizeable | kStyleCentreOnScreen);

  const LayoutEntry& other = TimeDifference().entries[0];
  EXPECT_EQ(other.type, ControlType::kWindow);
  EXPECT_EQ(other.name, "");
  EXPECT_EQ(other.text, "时差计算");
  EXPECT_EQ(std::tie(other.width, other.height), std::make_tuple(342, 187));
  EXPECT_EQ(other.style, unsigned{kStyleCentreOnScreen});
  EXPECT_TRUE(other.events.empty());

  // The two bridge objects are part of the main window but never shown.
  EXPECT_EQ(Entry(Main(), "Word程序").type, ControlType::kWordApp);
  EXPECT_EQ(Entry(Main(), "Word程序").flags, 0u);
  EXPECT_EQ(Entry(Main(), "Word文档集").type, ControlType::kWordDocuments);
  EXPECT_EQ(Entry(Main(), "Word文档集").flags, 0u);
}

TEST(LayoutTest, TagCheckBoxesStandInTheirControlOrderWithTheirMarks) {
  std::vector<int> order;
  for (int i = 1; i < static_cast<int>(Main().entries.size()); ++i) {
    const LayoutEntry& entry = Main().entries[i];
    if (entry.type != ControlType::kCheckBox || entry.name == "序号选择框") continue;
    const int tag = std::stoi(entry.mark.substr(2));
    order.push_back(tag);
    EXPECT_EQ(entry.name, Tag("标签选择框", tag));
    EXPECT_EQ(entry.text, Tag("标签", tag));
    EXPECT_EQ(entry.mark.size(), 4u);
    EXPECT_EQ(entry.mark.substr(0, 2), "10");
    EXPECT_EQ(std::tie(entry.width, entry.height), std::make_tuple(72, 24));
    EXPECT_EQ(entry.flags, kFlagVisible | kFlagTabStop);
    EXPECT_EQ(entry.style, 0u) << "Tag check boxes start unticked";
  }
  EXPECT_EQ(order, kTagControlOrder);
  EXPECT_EQ(IndexOf(Main(), "标签选择框11"), 11);
  EXPECT_EQ(IndexOf(Main(), "标签选择框10"), 51);
  EXPECT_EQ(Entry(Main(), "标签选择框7").mark, "1007");
}

TEST(LayoutTest, MarksGiveTagAndSectionNumbersAndNothingElseHasOne) {
  std::set<std::string> marked;
  for (int n = 1; n <= 39; ++n) {
    const std::string nn = (n < 10 ? "0" : "") + std::to_string(n);
    EXPECT_EQ(Entry(Main(), Tag("标签标题编辑框", n)).mark, "20" + nn);
    EXPECT_EQ(Entry(Main(), Tag("标签内容编辑框", n)).mark, "50" + nn);
    marked.insert({Tag("标签选择框", n), Tag("标签标题编辑框", n), Tag("标签内容编辑框", n)});
  }
  for (int s = 1; s <= 3; ++s) {
    EXPECT_EQ(Entry(Main(), Tag("版块编辑框", s)).mark, "300" + std::to_string(s));
    EXPECT_EQ(Entry(Main(), Tag("版块分组框", s)).mark, "400" + std::to_string(s));
    marked.insert({Tag("版块编辑框", s), Tag("版块分组框", s)});
  }
  EXPECT_EQ(Entry(Main(), "设置选择夹").mark, "2012");
  marked.insert("设置选择夹");

  for (const LayoutEntry& entry : Main().entries) {
    if (!marked.contains(entry.name)) {
      EXPECT_EQ(entry.mark, "") << entry.name;
    }
  }
  for (const LayoutEntry& entry : TimeDifference().entries) EXPECT_EQ(entry.mark, "");
}

// A new Preset file takes its key order from the control order of the check boxes and the
// edit boxes of the main window.
TEST(LayoutTest, PresetKeysFollowControlOrder) {
  std::vector<std::string> check_boxes = {"序号选择框"};
  for (int tag : kTagControlOrder) check_boxes.push_back(Tag("标签选择框", tag));
  EXPECT_EQ(NamesOfType(Main(), ControlType::kCheckBox), check_boxes);

  std::vector<std::string> edit_boxes = {"文档标题编辑框", "版块编辑框2",     "版块编辑框3",
                                         "版块编辑框1",    "标签内容编辑框1", "标签标题编辑框1"};
  for (int n = 2; n <= 39; ++n) {
    edit_boxes.push_back(Tag("标签标题编辑框", n));
    edit_boxes.push_back(Tag("标签内容编辑框", n));
  }
  EXPECT_EQ(NamesOfType(Main(), ControlType::kEditBox), edit_boxes);
  EXPECT_EQ(NamesOfType(Main(), ControlType::kComboBox), std::vector<std::string>{"预设组合框"});
}

TEST(LayoutTest, GeometrySamples) {
  using Box = std::tuple<int, int, int, int>;
  const auto box = [](const LayoutEntry& e) { return Box{e.left, e.top, e.width, e.height}; };
  // Rows of the second and third column are not exactly aligned.
  EXPECT_EQ(box(Entry(Main(), "标签选择框30")), Box(184, 401, 72, 24));
  EXPECT_EQ(box(Entry(Main(), "标签选择框20")), Box(104, 400, 72, 24));
  EXPECT_EQ(box(Entry(Main(), "标签选择框39")), Box(16, 224, 72, 24));
  EXPECT_EQ(box(Entry(Main(), "版块分组框2")), Box(287, 40, 105, 128));
  EXPECT_EQ(box(Entry(Main(), "设置选择夹")), Box(8, 40, 392, 400));
  EXPECT_EQ(box(Entry(Main(), "标签17分组框")), Box(16, 32, 360, 88));
  EXPECT_EQ(box(Entry(Main(), "标签内容编辑框17")), Box(16, 24, 328, 224));
  EXPECT_EQ(box(Entry(Main(), "列表框1")), Box(12, 25, 368, 527));
  EXPECT_EQ(box(Entry(Main(), "预设组合框")), Box(840, 90, 96, 20));
  EXPECT_EQ(box(Entry(Main(), "序号选择框")), Box(16, 468, 96, 32));
  EXPECT_EQ(box(Entry(TimeDifference(), "时差结果编辑框")), Box(200, 43, 48, 24));
  EXPECT_EQ(box(Entry(TimeDifference(), "分组框1")), Box(8, 16, 312, 128));
}

TEST(LayoutTest, ParentsAndPagesNestAsOnScreen) {
  const WindowLayout& main = Main();
  // A Tag title box sits in a group box on page "标签5" of the settings tab, which itself
  // stands on the second page of the frame tab.
  const LayoutEntry& title = Entry(main, "标签标题编辑框5");
  EXPECT_EQ(title.parent, IndexOf(main, "标签5分组框"));
  EXPECT_EQ(title.page, -1);
  const LayoutEntry& frame = main.entries[title.parent];
  EXPECT_EQ(frame.parent, IndexOf(main, "设置选择夹"));
  EXPECT_EQ(frame.page, 5);
  EXPECT_EQ(main.entries[frame.parent].items[5], "标签5");
  EXPECT_EQ(Entry(main, "设置选择夹").parent, IndexOf(main, "框架选择夹"));
  EXPECT_EQ(Entry(main, "设置选择夹").page, 1);
  EXPECT_EQ(Entry(main, "标签内容编辑框1").parent, IndexOf(main, "标签1内容分组框"));
  EXPECT_EQ(Entry(main, "标签1内容分组框").page, 1);

  EXPECT_EQ(Entry(main, "版块编辑框3").parent, IndexOf(main, "设置选择夹"));
  EXPECT_EQ(Entry(main, "版块编辑框3").page, 0);
  EXPECT_EQ(Entry(main, "标签选择框39").parent, IndexOf(main, "版块分组框3"));
  EXPECT_EQ(Entry(main, "标签选择框21").parent, IndexOf(main, "框架选择夹"));
  EXPECT_EQ(Entry(main, "标签选择框21").page, 0);
  EXPECT_EQ(Entry(main, "版块分组框1").page, 0);
  EXPECT_EQ(Entry(main, "时差计算按钮").parent, IndexOf(main, "分组框5"));
  EXPECT_EQ(Entry(main, "导出文档按钮").parent, IndexOf(main, "分组框2"));
  EXPECT_EQ(Entry(main, "列表框1").parent, IndexOf(main, "分组框1"));
  // These stand over the frames on screen but belong to the window.
  for (const char* name :
       {"预设改名按钮", "删除预设按钮", "增加预设按钮", "读取预设按钮", "预设组合框",
        "清空版块按钮", "清空设置按钮", "清空选择按钮", "全部清空按钮"}) {
    EXPECT_EQ(Entry(main, name).parent, 0) << name;
  }

  const WindowLayout& other = TimeDifference();
  EXPECT_EQ(Entry(other, "计算时差日期标签2").parent, 0);
  EXPECT_EQ(Entry(other, "时差计算按钮").parent, IndexOf(other, "分组框1"));
  EXPECT_EQ(IndexOf(other, "分组框1"), 8);
}

// Properties every consumer of the table relies on, checked over all entries.
TEST(LayoutTest, EveryEntryIsWellFormed) {
  for (const WindowLayout* layout : {&Main(), &TimeDifference()}) {
    std::set<std::string> names;
    int window_children = 0;
    for (std::size_t i = 1; i < layout->entries.size(); ++i) {
      const LayoutEntry& entry = layout->entries[i];
      EXPECT_NE(entry.type, ControlType::kWindow) << entry.name;
      EXPECT_TRUE(names.insert(entry.name).second) << "duplicate name " << entry.name;
      ASSERT_GE(entry.parent, 0) << entry.name;
      ASSERT_LT(entry.parent, static_cast<int>(layout->entries.size())) << entry.name;
      ASSERT_NE(entry.parent, static_cast<int>(i)) << entry.name;
      const LayoutEntry& parent = layout->entries[entry.parent];
      EXPECT_TRUE(parent.type == ControlType::kWindow || parent.type == ControlType::kGroupBox ||
                  parent.type == ControlType::kTab)
          << entry.name;
      if (parent.type == ControlType::kTab) {
        EXPECT_GE(entry.page, 0) << entry.name;
        EXPECT_LT(entry.page, static_cast<int>(parent.items.size())) << entry.name;
      } else {
        EXPECT_EQ(entry.page, -1) << entry.name;
      }
      if (entry.parent == 0) ++window_children;
    }
    // A parent name that failed to resolve would show up as an extra child of the window.
    EXPECT_EQ(window_children, layout == &Main() ? 16 : 2);
  }
}

TEST(LayoutTest, TagSettingsPagesHoldFourEntriesPerTag) {
  const WindowLayout& main = Main();
  EXPECT_EQ(IndexOf(main, "标签内容编辑框1"), 59);
  EXPECT_EQ(IndexOf(main, "标签1内容分组框"), 60);
  EXPECT_EQ(IndexOf(main, "标签标题编辑框1"), 61);
  EXPECT_EQ(IndexOf(main, "标签1分组框"), 62);
  for (int n = 2; n <= 39; ++n) {
    const int base = 59 + 4 * (n - 1);
    EXPECT_EQ(IndexOf(main, Tag("标签标题编辑框", n)), base);
    EXPECT_EQ(main.entries[base + 1].name, "标签" + std::to_string(n) + "分组框");
    EXPECT_EQ(main.entries[base + 2].name, Tag("标签内容编辑框", n));
    EXPECT_EQ(main.entries[base + 3].name, "标签" + std::to_string(n) + "内容分组框");
    EXPECT_EQ(main.entries[base + 1].text, "标签");
    EXPECT_EQ(main.entries[base + 3].text, "内容");
  }
  EXPECT_EQ(IndexOf(main, "设置选择夹"), 215);

  const LayoutEntry& settings = Entry(main, "设置选择夹");
  ASSERT_EQ(settings.items.size(), 40u);
  EXPECT_EQ(settings.items.front(), "版块");
  EXPECT_EQ(settings.items.back(), "标签39");
  EXPECT_EQ(Entry(main, "框架选择夹").items, (std::vector<std::string>{"材料", "设置"}));
}

TEST(LayoutTest, TypeSpecificSettings) {
  for (const LayoutEntry& entry : Main().entries) {
    if (entry.type != ControlType::kEditBox) continue;
    const bool tag_box = entry.name.starts_with("标签");
    EXPECT_EQ(entry.style, tag_box ? unsigned{kStyleMultiLine} : 0u) << entry.name;
  }
  const LayoutEntry& presets = Entry(Main(), "预设组合框");
  EXPECT_EQ(presets.items, (std::vector<std::string>{"预设配置一", "预设配置二", "预设配置三"}));
  EXPECT_EQ(presets.selection, 0);
  EXPECT_EQ(presets.style, unsigned{kStyleDropDownList});
  EXPECT_EQ(Entry(Main(), "列表框1").selection, -1);
  EXPECT_TRUE(Entry(Main(), "列表框1").items.empty());

  const LayoutEntry& numbering = Entry(Main(), "序号选择框");
  EXPECT_EQ(numbering.text, "序号导出");
  EXPECT_EQ(numbering.style, kStyleTicked | kStyleCentred);
  EXPECT_EQ(Entry(Main(), "文档标题编辑框").text, "清单");

  const LayoutEntry& result = Entry(TimeDifference(), "时差结果编辑框");
  EXPECT_EQ(result.flags, kFlagVisible | kFlagDisabled);
  EXPECT_EQ(result.style, kStyleCentred | kStyleReadOnly);
}

using Binding = std::tuple<std::string, int, HandlerId, int>;

std::set<Binding> BindingsOf(const WindowLayout& layout) {
  std::set<Binding> bindings;
  for (const LayoutEntry& entry : layout.entries) {
    for (const EventBinding& b : entry.events) {
      EXPECT_TRUE(bindings.insert({entry.name, b.event, b.handler, b.argument}).second)
          << entry.name;
    }
  }
  return bindings;
}

TEST(LayoutTest, BoundEventsAreExactlyTheProgramsTable) {
  std::set<Binding> expected = {
      {"", kEventCreated, HandlerId::kStartupRoutine, 0},
      {"", kEventAboutToBeDestroyed, HandlerId::kMainWindowDestroyed, 0},
      {"序号选择框", kEventClicked, HandlerId::kNumberingToggle, 0},
      {"全部清空按钮", kEventClicked, HandlerId::kClearAll, 0},
      {"清空选择按钮", kEventClicked, HandlerId::kClearSelection, 0},
      {"清空设置按钮", kEventClicked, HandlerId::kClearSettings, 0},
      {"清空版块按钮", kEventClicked, HandlerId::kClearSections, 0},
      {"读取预设按钮", kEventClicked, HandlerId::kReadPreset, 0},
      {"增加预设按钮", kEventClicked, HandlerId::kAddPreset, 0},
      {"预设改名按钮", kEventClicked, HandlerId::kRenamePreset, 0},
      {"删除预设按钮", kEventClicked, HandlerId::kDeletePreset, 0},
      {"保存设置按钮", kEventClicked, HandlerId::kSavePreset, 0},
      {"预设组合框", kEventListItemSelected, HandlerId::kPickPreset, 0},
      {"导出文档按钮", kEventClicked, HandlerId::kExportDocument, 0},
      {"打开目录按钮", kEventClicked, HandlerId::kOpenFolder, 0},
      {"时差计算按钮", kEventClicked, HandlerId::kOpenTimeDifference, 0},
  };
  for (int n = 1; n <= 39; ++n) {
    expected.insert({Tag("标签选择框", n), kEventClicked, HandlerId::kTagClicked, n});
  }
  for (int s = 1; s <= 3; ++s) {
    expected.insert(
        {Tag("版块编辑框", s), kEventContentChanged, HandlerId::kSectionTitleChanged, s});
  }
  EXPECT_EQ(BindingsOf(Main()), expected);
  EXPECT_EQ(
      BindingsOf(TimeDifference()),
      (std::set<Binding>{{"时差计算按钮", kEventClicked, HandlerId::kComputeTimeDifference, 0}}));
}

TEST(ControlTypesTest, TypeNamesAreDistinctGbkAndEnglish) {
  // "窗口" in code page 936: the literals reach the program as GBK bytes.
  EXPECT_EQ(TypeName(ControlType::kWindow), "\xB4\xB0\xBF\xDA");
  EXPECT_EQ(TypeName(ControlType::kCheckBox), "选择框");
  EXPECT_EQ(TypeName(ControlType::kWordDocuments), "Word文档集");
  EXPECT_EQ(EnglishTypeName(ControlType::kTab), "Tab");
  EXPECT_EQ(EnglishTypeName(ControlType::kDatePicker), "DatePicker");
  EXPECT_EQ(EnglishTypeName(ControlType::kWordApp), "WordApp");

  std::set<std::string> chinese;
  std::set<std::string_view> english;
  for (int t = 0; t <= static_cast<int>(ControlType::kWordDocuments); ++t) {
    chinese.insert(TypeName(static_cast<ControlType>(t)));
    english.insert(EnglishTypeName(static_cast<ControlType>(t)));
  }
  EXPECT_EQ(chinese.size(), 12u);
  EXPECT_EQ(english.size(), 12u);
}

}  // namespace
}  // namespace velmora
