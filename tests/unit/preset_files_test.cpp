#include "app/preset_files.h"

#include <gtest/gtest.h>

#include <string>

#include "app/data_paths.h"
#include "app/preset_commands.h"
#include "app/window_clearing.h"
#include "preset_test_support.h"
#include "runtime/text_ops.h"

namespace velmora {
namespace {

constexpr int kCheckBoxOrder[] = {11, 21, 22, 12, 13, 23, 14, 24, 15, 25, 16, 26, 17,
                                  27, 18, 28, 19, 29, 30, 20, 39, 38, 37, 35, 34, 36,
                                  32, 31, 33, 6,  5,  1,  9,  8,  7,  4,  2,  3,  10};

class PresetFilesTest : public ::testing::Test {
 protected:
  void SetUp() override { harness.Start(); }
  ControlRef Tag(std::string_view role, int number) {
    return harness.Control(std::string(role) + ToText(number));
  }
  testing::ProgramHarness harness;
};

TEST_F(PresetFilesTest, SaveWritesEverySectionKeyAndValueInControlOrder) {
  ControlModel& model = harness.model();
  model.SetText(harness.Control("文档标题编辑框"), "");
  model.SetText(Tag("版块编辑框", 1), "甲");
  model.SetText(Tag("标签标题编辑框", 3), "三");
  model.SetText(Tag("标签内容编辑框", 3), "a\r\nb \"c\"");
  model.SetChecked(Tag("标签选择框", 3), true);
  model.SetChecked(Tag("标签选择框", 4), true);  // untitled, still saved as ticked
  SavePreset(harness.app());

  std::string expected = "[选择框]\r\n序号选择框=真\r\n";
  for (int n : kCheckBoxOrder) {
    expected += "标签选择框" + ToText(n) + "=" + (n == 3 || n == 4 ? "真" : "假") + "\r\n";
  }
  expected +=
      "[编辑框]\r\n文档标题编辑框=\r\n版块编辑框2=\r\n版块编辑框3=\r\n版块编辑框1=甲\r\n"
      "标签内容编辑框1=\r\n标签标题编辑框1=\r\n";
  for (int n = 2; n <= 39; ++n) {
    expected += "标签标题编辑框" + ToText(n) + "=" + (n == 3 ? "三" : "") + "\r\n";
    expected +=
        "标签内容编辑框" + ToText(n) + "=" + (n == 3 ? "a><br><b #引号c#引号" : "") + "\r\n";
  }
  EXPECT_EQ(harness.ReadFile("Data\\预设配置一.ini"), expected);
  EXPECT_EQ(harness.ReadFile("Data\\config.ini"),
            "[组合框]\r\n预设组合框=预设配置一<|>0<||>预设配置二<|>0<||>预设配置三<|>0<||>0<|>"
            "预设配置一\r\n");
}

TEST_F(PresetFilesTest, SavingOverAHandWrittenFileKeepsItsLinesAndAddsTheMissingKeys) {
  harness.WriteFile("Data\\预设配置一.ini",
                    "[编辑框]\r\n标签标题编辑框2=旧\r\n旧编辑框=留着\r\n[其他]\r\n甲=乙\r\n"
                    "[选择框]\r\n标签选择框2=1\r\n");
  ControlModel& model = harness.model();
  model.SetText(Tag("标签标题编辑框", 2), "二");
  model.SetChecked(Tag("标签选择框", 2), false);
  SavePreset(harness.app());

  // Values change in place; the keys the file lacked follow at the end of their section.
  std::string expected =
      "[编辑框]\r\n标签标题编辑框2=二\r\n旧编辑框=留着\r\n"
      "文档标题编辑框=清单\r\n版块编辑框2=\r\n版块编辑框3=\r\n版块编辑框1=\r\n"
      "标签内容编辑框1=\r\n标签标题编辑框1=\r\n";
  for (int n = 2; n <= 39; ++n) {
    if (n != 2) expected += "标签标题编辑框" + ToText(n) + "=\r\n";
    expected += "标签内容编辑框" + ToText(n) + "=\r\n";
  }
  expected += "[其他]\r\n甲=乙\r\n[选择框]\r\n标签选择框2=假\r\n序号选择框=真\r\n";
  for (int n : kCheckBoxOrder) {
    if (n != 2) expected += "标签选择框" + ToText(n) + "=假\r\n";
  }
  EXPECT_EQ(harness.ReadFile("Data\\预设配置一.ini"), expected);
}

TEST_F(PresetFilesTest, LoadingChangesOnlyWhatTheFileHolds) {
  ControlModel& model = harness.model();
  model.SetText(Tag("标签内容编辑框", 1), "旧内容");
  model.SetChecked(Tag("标签选择框", 1), true);
  model.SetChecked(Tag("标签选择框", 2), true);
  model.SetChecked(Tag("标签选择框", 3), false);
  harness.WriteFile("Data\\手写.ini",
                    "[选择框]\n标签选择框2=假\n标签选择框3=是\n标签选择框1=\n"
                    "[编辑框]\n标签内容编辑框1=\n标签标题编辑框2=二\n");
  const std::string file = PresetFilePath("手写");
  LoadCheckBoxes(harness.app(), file);
  LoadEditBoxes(harness.app(), file);
  EXPECT_TRUE(model.Checked(Tag("标签选择框", 1)));
  EXPECT_FALSE(model.Checked(Tag("标签选择框", 2)));
  EXPECT_TRUE(model.Checked(Tag("标签选择框", 3)));
  EXPECT_EQ(model.Text(Tag("标签内容编辑框", 1)), "旧内容");
  EXPECT_EQ(model.Text(Tag("标签标题编辑框", 2)), "二");
  EXPECT_EQ(model.Text(harness.Control("文档标题编辑框")), "清单");
}

TEST_F(PresetFilesTest, TextsComeBackFromASavedFile) {
  ControlModel& model = harness.model();
  const std::string text = "第一行\r\n\"引用\"\r\n\r\n末行";
  model.SetText(Tag("标签内容编辑框", 7), text);
  model.SetText(Tag("版块编辑框", 3), "三号");
  const std::string file = PresetFilePath("往返");
  ASSERT_TRUE(SavePresetFile(harness.app(), file));
  ClearWindow(harness.app());
  LoadEditBoxes(harness.app(), file);
  EXPECT_EQ(model.Text(Tag("标签内容编辑框", 7)), text);
  EXPECT_EQ(model.Caption(Tag("版块分组框", 3)), "三号");  // the load raised the mirroring
}

TEST_F(PresetFilesTest, EachKindOfBoxGoesToItsOwnSectionAndTogetherTheyMakeAPresetFile) {
  harness.model().SetText(Tag("标签内容编辑框", 3), "a\r\nb");
  harness.model().SetChecked(Tag("标签选择框", 3), true);
  const std::string separate = PresetFilePath("分开");
  ASSERT_TRUE(SaveCheckBoxes(harness.app(), separate));
  const std::string check_boxes_only = harness.ReadFile("Data\\分开.ini").value_or("");
  EXPECT_EQ(check_boxes_only.find("[编辑框]"), std::string::npos);
  EXPECT_NE(check_boxes_only.find("标签选择框3=真\r\n"), std::string::npos);
  ASSERT_TRUE(SaveEditBoxes(harness.app(), separate));
  EXPECT_NE(harness.ReadFile("Data\\分开.ini").value_or("").find("标签内容编辑框3=a><br><b\r\n"),
            std::string::npos);

  ASSERT_TRUE(SavePresetFile(harness.app(), PresetFilePath("一起")));
  EXPECT_EQ(harness.ReadFile("Data\\分开.ini"), harness.ReadFile("Data\\一起.ini"));
}

TEST_F(PresetFilesTest, AnEmptyListIsStoredAndReadBackAsEmpty) {
  ControlModel& model = harness.model();
  const ControlRef presets = harness.Control("预设组合框");
  model.ClearItems(presets);
  ASSERT_TRUE(SaveComboBoxes(harness.app(), ConfigFilePath()));
  EXPECT_EQ(harness.ReadFile("Data\\config.ini"), "[组合框]\r\n预设组合框=-1<|>\r\n");
  model.AddItem(presets, "残留");
  LoadComboBoxes(harness.app(), ConfigFilePath());
  EXPECT_EQ(model.ItemCount(presets), 0);
  EXPECT_EQ(model.Selection(presets), -1);
}

}  // namespace
}  // namespace velmora
