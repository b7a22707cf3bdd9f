#include "ui/layout.h"

#include <gtest/gtest.h>

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

std::string Numbered(const char* prefix, int n) { return prefix + std::to_string(n); }

const std::vector<int> kTagControlOrder = {11, 21, 22, 12, 13, 23, 14, 24, 15, 25, 16, 26, 17,
                                           27, 18, 28, 19, 29, 30, 20, 39, 38, 37, 35, 34, 36,
                                           32, 31, 33, 6,  5,  1,  9,  8,  7,  4,  2,  3,  10};

TEST(LayoutTest, TagControlsCarryTheirNumbersInMarksInControlOrder) {
  ASSERT_EQ(Main().entries.size(), 230u);
  ASSERT_EQ(TimeDifference().entries.size(), 9u);

  std::vector<int> order;
  for (const LayoutEntry& entry : Main().entries) {
    if (entry.type != ControlType::kCheckBox || entry.name == "序号选择框") continue;
    const int tag = std::stoi(entry.mark.substr(2));
    order.push_back(tag);
    EXPECT_EQ(entry.mark.substr(0, 2), "10");
    EXPECT_EQ(entry.name, Numbered("标签选择框", tag));
    EXPECT_EQ(entry.text, Numbered("标签", tag));
  }
  EXPECT_EQ(order, kTagControlOrder);
  EXPECT_EQ(IndexOf(Main(), "标签选择框11"), 11);
  EXPECT_EQ(IndexOf(Main(), "标签选择框10"), 51);

  EXPECT_EQ(Entry(Main(), "标签标题编辑框7").mark, "2007");
  EXPECT_EQ(Entry(Main(), "标签内容编辑框39").mark, "5039");
  EXPECT_EQ(Entry(Main(), "版块编辑框2").mark, "3002");
  EXPECT_EQ(Entry(Main(), "版块分组框3").mark, "4003");
  EXPECT_EQ(Entry(Main(), "设置选择夹").mark, "2012");
  EXPECT_EQ(Entry(Main(), "序号选择框").mark, "");

  // Rows of the second and third Tag column are not exactly aligned.
  EXPECT_EQ(std::tie(Entry(Main(), "标签选择框30").left, Entry(Main(), "标签选择框30").top),
            std::make_tuple(184, 401));
  EXPECT_EQ(Entry(Main(), "标签选择框20").top, 400);
}

// A new Preset file takes its key order from the control order of the main window's check
// boxes and edit boxes.
TEST(LayoutTest, PresetKeysFollowControlOrder) {
  std::vector<std::string> check_boxes = {"序号选择框"};
  for (int tag : kTagControlOrder) check_boxes.push_back(Numbered("标签选择框", tag));
  EXPECT_EQ(NamesOfType(Main(), ControlType::kCheckBox), check_boxes);

  std::vector<std::string> edit_boxes = {"文档标题编辑框", "版块编辑框2",     "版块编辑框3",
                                         "版块编辑框1",    "标签内容编辑框1", "标签标题编辑框1"};
  for (int n = 2; n <= 39; ++n) {
    edit_boxes.push_back(Numbered("标签标题编辑框", n));
    edit_boxes.push_back(Numbered("标签内容编辑框", n));
  }
  EXPECT_EQ(NamesOfType(Main(), ControlType::kEditBox), edit_boxes);
}

TEST(LayoutTest, ParentsNestAsOnScreen) {
  const WindowLayout& main = Main();
  // Tag 5's title box: a group box on page "标签5" of the settings tab, which stands on the
  // second page of the frame tab.
  const LayoutEntry& title = Entry(main, "标签标题编辑框5");
  EXPECT_EQ(title.parent, IndexOf(main, "标签5分组框"));
  const LayoutEntry& frame = main.entries[title.parent];
  EXPECT_EQ(frame.parent, IndexOf(main, "设置选择夹"));
  EXPECT_EQ(main.entries[frame.parent].items.at(frame.page), "标签5");
  EXPECT_EQ(Entry(main, "设置选择夹").parent, IndexOf(main, "框架选择夹"));
  EXPECT_EQ(Entry(main, "设置选择夹").page, 1);

  EXPECT_EQ(Entry(main, "标签选择框39").parent, IndexOf(main, "版块分组框3"));
  EXPECT_EQ(Entry(main, "标签选择框21").page, 0);
  EXPECT_EQ(Entry(main, "版块编辑框1").page, 0);
  // These stand over the frames on screen but belong to the window.
  EXPECT_EQ(Entry(main, "预设组合框").parent, 0);
  EXPECT_EQ(Entry(main, "全部清空按钮").parent, 0);
  EXPECT_EQ(Entry(TimeDifference(), "时差计算按钮").parent, 8);
}

// What every consumer of the table relies on, over all entries of both windows.
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

using Binding = std::tuple<std::string, int, HandlerId, int>;

std::set<Binding> BindingsOf(const WindowLayout& layout) {
  std::set<Binding> bindings;
  for (const LayoutEntry& entry : layout.entries) {
    for (const EventBinding& b : entry.events) {
      bindings.insert({entry.name, b.event, b.handler, b.argument});
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
    expected.insert({Numbered("标签选择框", n), kEventClicked, HandlerId::kTagClicked, n});
  }
  for (int s = 1; s <= 3; ++s) {
    expected.insert(
        {Numbered("版块编辑框", s), kEventContentChanged, HandlerId::kSectionTitleChanged, s});
  }
  EXPECT_EQ(BindingsOf(Main()), expected);
  EXPECT_EQ(
      BindingsOf(TimeDifference()),
      (std::set<Binding>{{"时差计算按钮", kEventClicked, HandlerId::kComputeTimeDifference, 0}}));
}

TEST(ControlTypesTest, TypeNamesAreDistinctAndGbk) {
  // "窗口" in code page 936: the names reach the program as GBK bytes.
  EXPECT_EQ(TypeName(ControlType::kWindow), "\xB4\xB0\xBF\xDA");
  EXPECT_EQ(EnglishTypeName(ControlType::kDatePicker), "DatePicker");
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
