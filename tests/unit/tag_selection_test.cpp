#include "app/tag_selection.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/window_refresh.h"
#include "preset_test_support.h"
#include "runtime/text_ops.h"

namespace velmora {
namespace {

class TagSelectionTest : public ::testing::Test {
 protected:
  void SetUp() override { harness.Start(); }
  ControlModel& model() { return harness.model(); }
  ControlRef Tag(std::string_view role, int number) {
    return harness.Control(std::string(role) + ToText(number));
  }
  void SetTag(int tag, std::string_view title, std::string_view content) {
    model().SetText(Tag("标签标题编辑框", tag), title);
    model().SetText(Tag("标签内容编辑框", tag), content);
  }
  void Click(int tag) { model().UserToggle(Tag("标签选择框", tag)); }
  std::vector<std::string> List() {
    const ControlRef list = harness.Control("列表框1");
    std::vector<std::string> entries;
    for (int i = 0; i < model().ItemCount(list); ++i) entries.push_back(model().ItemText(list, i));
    return entries;
  }
  testing::ProgramHarness harness;
};

TEST_F(TagSelectionTest, TickingAppendsAndUntickingRemovesTheFirstEqualEntry) {
  SetTag(5, "五", "内容");
  SetTag(2, "二", "内容");  // equal to Tag 5's content
  SetTag(9, "九", "内");    // the beginning of the others
  SetTag(7, "七", "");
  RefreshTags(harness.app());
  for (int tag : {5, 2, 9, 7}) Click(tag);
  EXPECT_EQ(List(), (std::vector<std::string>{"内容", "内容", "内", ""}));
  Click(2);
  Click(7);
  EXPECT_EQ(List(), (std::vector<std::string>{"内容", "内"}));
  Click(9);
  EXPECT_EQ(List(), (std::vector<std::string>{"内容"}));
  // Unticking looks for the content as it is now: the old entry stays.
  model().SetText(Tag("标签内容编辑框", 5), "改过");
  Click(5);
  EXPECT_EQ(List(), (std::vector<std::string>{"内容"}));
}

TEST_F(TagSelectionTest, NumberingCaptionNamesTheStateTheBoxNowHas) {
  const ControlRef box = harness.Control("序号选择框");
  model().UserToggle(box);
  EXPECT_EQ(model().Caption(box), "无序导出");
  EXPECT_EQ(harness.app().numbering_flag, 0);
  model().UserToggle(box);
  EXPECT_EQ(model().Caption(box), "序号导出");
  EXPECT_EQ(harness.app().numbering_flag, 1);
}

struct Clearing {
  const char* name;  // the test's name: ASCII, stable from build to build
  void (*command)(AppContext&);
  const char* title;
  bool unticks, empties_tags, empties_sections;
};

class ClearingTest : public TagSelectionTest, public ::testing::WithParamInterface<Clearing> {};

TEST_P(ClearingTest, AsksFirstAndClearsOnlyOnOk) {
  const Clearing& clearing = GetParam();
  SetTag(4, "四", "内容四");
  model().SetText(Tag("版块编辑框", 1), "甲");
  RefreshTags(harness.app());
  Click(4);
  harness.dialogs.answers = {kResultCancel};
  clearing.command(harness.app());
  EXPECT_EQ(harness.dialogs.shown.back().title, clearing.title);
  EXPECT_EQ(harness.dialogs.shown.back().flags, kMessageOkCancel);
  EXPECT_EQ(List(), (std::vector<std::string>{"内容四"}));
  EXPECT_EQ(model().Text(Tag("版块编辑框", 1)), "甲");

  clearing.command(harness.app());
  const bool listed = !clearing.unticks && !clearing.empties_tags;
  EXPECT_EQ(List().size(), listed ? 1u : 0u);
  EXPECT_EQ(model().Checked(Tag("标签选择框", 4)), !clearing.unticks);
  EXPECT_EQ(model().Visible(Tag("标签选择框", 4)), !clearing.empties_tags);
  EXPECT_EQ(model().Text(Tag("标签内容编辑框", 4)).empty(), clearing.empties_tags);
  EXPECT_EQ(model().Caption(Tag("版块分组框", 1)), clearing.empties_sections ? "版块一" : "甲");
  EXPECT_EQ(model().Text(harness.Control("文档标题编辑框")), "清单");
}

INSTANTIATE_TEST_SUITE_P(
    AllFour, ClearingTest,
    ::testing::Values(Clearing{"All", ClearAll, "全部清空", true, true, true},
                      Clearing{"Sections", ClearSections, "清空版块", false, false, true},
                      Clearing{"Selection", ClearSelection, "清空选择", true, false, false},
                      Clearing{"Settings", ClearSettings, "清空设置", false, true, false}),
    [](const ::testing::TestParamInfo<Clearing>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora
