#include "app/startup.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "app/window_refresh.h"
#include "preset_test_support.h"
#include "runtime/text_ops.h"

namespace velmora {
namespace {

class StartupTest : public ::testing::Test {
 protected:
  ControlRef Tag(std::string_view role, int number) {
    return harness.Control(std::string(role) + ToText(number));
  }
  std::vector<std::string> List() {
    const ControlRef list = harness.Control("列表框1");
    std::vector<std::string> entries;
    for (int i = 0; i < harness.model().ItemCount(list); ++i) {
      entries.push_back(harness.model().ItemText(list, i));
    }
    return entries;
  }
  std::vector<std::string> SectionCaptions() {
    std::vector<std::string> captions;
    for (int s = 1; s <= 3; ++s) captions.push_back(harness.model().Caption(Tag("版块分组框", s)));
    return captions;
  }

  testing::ProgramHarness harness;
};

TEST_F(StartupTest, FirstStartCreatesOnlyTheDataFolderAndShowsTheLayoutState) {
  harness.Start();
  ControlModel& model = harness.model();
  EXPECT_TRUE(std::filesystem::is_directory(harness.Native("Data")));
  EXPECT_TRUE(std::filesystem::is_empty(harness.Native("Data")));
  for (int n = 1; n <= 39; ++n) EXPECT_FALSE(model.Visible(Tag("标签选择框", n))) << n;
  EXPECT_TRUE(List().empty());
  EXPECT_EQ(SectionCaptions(), (std::vector<std::string>{"版块一", "版块二", "版块三"}));
  const ControlRef presets = harness.Control("预设组合框");
  EXPECT_EQ(model.ItemCount(presets), 3);
  EXPECT_EQ(model.Text(presets), "预设配置一");
  EXPECT_EQ(model.Text(harness.Control("文档标题编辑框")), "清单");
  EXPECT_TRUE(model.Checked(harness.Control("序号选择框")));
  EXPECT_EQ(model.VisualStyle(), 1);
  EXPECT_EQ(harness.app().lookup_window, harness.app().MainWindowRef());
}

TEST_F(StartupTest, WithoutConfigNothingIsLoadedAndTheUnnamedFileGoes) {
  const std::string preset = "[编辑框]\r\n标签标题编辑框1=一\r\n";
  harness.WriteFile("Data\\预设配置一.ini", preset);
  harness.WriteFile("Data\\.ini", preset);
  harness.Start();
  EXPECT_FALSE(harness.model().Visible(Tag("标签选择框", 1)));
  EXPECT_FALSE(harness.ReadFile("Data\\.ini"));
  EXPECT_EQ(harness.ReadFile("Data\\预设配置一.ini"), preset);
}

TEST_F(StartupTest, RestoresTheListAndLoadsTheSelectedHandWrittenPreset) {
  harness.WriteFile("Data\\config.ini", "[组合框]\n预设组合框=甲<|>0<||>乙<|>5<||>1<|>乙\n");
  // LF line ends, "1" as a tick, keys missing, a key of no control, GBK texts.
  harness.WriteFile("Data\\乙.ini",
                    "[选择框]\n标签选择框5=1\n标签选择框6=真\n标签选择框7=真\n序号选择框=假\n"
                    "旧选择框=真\n[编辑框]\n标签标题编辑框5=五\n"
                    "标签内容编辑框5=第一行><br><说#引号好#引号\n标签标题编辑框6=六\n"
                    "标签内容编辑框7=无标题\n版块编辑框2=二号\n");
  harness.Start();
  ControlModel& model = harness.model();
  const ControlRef presets = harness.Control("预设组合框");
  ASSERT_EQ(model.ItemCount(presets), 2);
  EXPECT_EQ(model.ItemValue(presets, 1), 5);
  EXPECT_EQ(model.Text(presets), "乙");
  // Control order puts 6 before 5; Tag 6 has a title but no content, Tag 7 no title.
  EXPECT_EQ(List(), (std::vector<std::string>{"", "第一行\r\n说\"好\""}));
  EXPECT_EQ(model.Caption(Tag("标签选择框", 5)), "五");
  EXPECT_FALSE(model.Visible(Tag("标签选择框", 7)));
  EXPECT_TRUE(model.Checked(Tag("标签选择框", 7)));
  EXPECT_EQ(model.Text(harness.Control("文档标题编辑框")), "清单");
  // The tick is loaded without the numbering toggle, so the caption keeps its old name.
  EXPECT_FALSE(model.Checked(harness.Control("序号选择框")));
  EXPECT_EQ(model.Caption(harness.Control("序号选择框")), "序号导出");
  EXPECT_EQ(SectionCaptions(), (std::vector<std::string>{"版块一", "二号", "版块三"}));
}

TEST_F(StartupTest, ASelectedPresetWithoutFileRestoresOnlyTheList) {
  harness.WriteFile("Data\\config.ini", "[组合框]\r\n预设组合框=甲<|>0<||>0<|>甲\r\n");
  harness.Start();
  EXPECT_EQ(harness.model().ItemCount(harness.Control("预设组合框")), 1);
  for (int n = 1; n <= 39; ++n) EXPECT_FALSE(harness.model().Visible(Tag("标签选择框", n)));
}

TEST_F(StartupTest, TheListKeepsTickOrderUntilARefreshPutsItInControlOrder) {
  harness.Start();
  ControlModel& model = harness.model();
  for (int n : {5, 6}) {
    model.SetText(Tag("标签标题编辑框", n), "标题" + ToText(n));
    model.SetText(Tag("标签内容编辑框", n), "内容" + ToText(n));
  }
  RefreshTags(harness.app());
  model.UserToggle(Tag("标签选择框", 5));
  model.UserToggle(Tag("标签选择框", 6));
  EXPECT_EQ(List(), (std::vector<std::string>{"内容5", "内容6"}));
  // Edits reach the main page only with the next refresh.
  model.UserReplaceText(Tag("标签标题编辑框", 5), "新标题");
  model.UserReplaceText(Tag("标签内容编辑框", 5), "新内容");
  EXPECT_EQ(model.Caption(Tag("标签选择框", 5)), "标题5");
  EXPECT_EQ(List(), (std::vector<std::string>{"内容5", "内容6"}));
  RefreshTags(harness.app());
  EXPECT_EQ(model.Caption(Tag("标签选择框", 5)), "新标题");
  EXPECT_EQ(List(), (std::vector<std::string>{"内容6", "新内容"}));
}

TEST_F(StartupTest, AnEmptiedSectionTitleShowsTheDefaultOnlyAfterARefresh) {
  harness.Start();
  ControlModel& model = harness.model();
  model.UserReplaceText(Tag("版块编辑框", 2), "材料");
  model.UserReplaceText(Tag("版块编辑框", 2), "");
  EXPECT_EQ(SectionCaptions()[1], "材料");
  RefreshSectionTitles(harness.app());
  EXPECT_EQ(SectionCaptions()[1], "版块二");
}

}  // namespace
}  // namespace velmora
