#include "app/preset_commands.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "app/data_paths.h"
#include "app/window_clearing.h"
#include "preset_test_support.h"
#include "runtime/file_faults.h"
#include "runtime/retry_pause.h"
#include "runtime/text_ops.h"

#ifdef _WIN32
// Last: its MessageBox macro would rename the dialog interface's method.
#include <windows.h>
#endif

namespace velmora {
namespace {

constexpr std::string_view kBadName =
    "预设名称不能含有 \\ / : * ? \" < > | 、控制字符或“#引号”，不能为“.”、“..”、“config”"
    "或 CON、NUL 等设备名，首尾不能是空格，也不能过长！";

class PresetCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override { harness.Start(); }
  ControlModel& model() { return harness.model(); }
  AppContext& app() { return harness.app(); }
  ControlRef Box() { return harness.Control("预设组合框"); }
  std::vector<std::string> Entries() {
    std::vector<std::string> entries;
    for (int i = 0; i < model().ItemCount(Box()); ++i)
      entries.push_back(model().ItemText(Box(), i));
    return entries;
  }
  void SetTitle(int tag, std::string_view title) {
    model().SetText(harness.Control("标签标题编辑框" + ToText(tag)), title);
  }
  std::string Title(int tag) {
    return model().Text(harness.Control("标签标题编辑框" + ToText(tag)));
  }
  const testing::ShownDialog& Last() { return harness.dialogs.shown.back(); }
  void Run(void (*command)(AppContext&), std::optional<std::string> typed = std::nullopt) {
    harness.dialogs.inputs.push_back(std::move(typed));
    command(app());
    harness.dialogs.inputs.clear();
  }
  // Two saved Presets: "预设配置一" with Tag 1 titled, "预设配置二" with Tag 2 titled.
  void SaveTwoPresets() {
    SetTitle(1, "一号");
    SavePreset(app());
    model().UserPickEntry(Box(), 1);
    ClearWindow(app());
    SetTitle(2, "二号");
    SavePreset(app());
  }
  std::optional<std::string> File(std::string_view name) {
    return harness.ReadFile("Data\\" + std::string(name) + ".ini");
  }

  testing::ProgramHarness harness;
};

TEST_F(PresetCommandsTest, AddRefusesEmptyTakenAndUnusableNamesWithoutChangingAnything) {
  const auto files = harness.Snapshot();
  for (const std::optional<std::string>& name :
       std::vector<std::optional<std::string>>{std::nullopt, "", "预设配置一", "预设配置三"}) {
    Run(AddPreset, name);
    EXPECT_EQ(Last().text, "不能增加与已有选项重复或为空值的名称！");
  }
  for (const std::string name :
       {"a\\b",    "a/b",    "a:b",    "a*b", "a?b",  "a\"b", "a<b",   "a>b",
        "a|b",     "a\tb",   ".",      "..",  "a ",   " a",   "x<|>y", "x<||>y",
        "x#引号y", "config", "Config", "nul", "COM1", "con.x"}) {
    Run(AddPreset, name);
    EXPECT_EQ(Last().title, "增加预设") << name;
    EXPECT_EQ(Last().text, kBadName) << name;
  }
  EXPECT_EQ(Entries(), (std::vector<std::string>{"预设配置一", "预设配置二", "预设配置三"}));
  EXPECT_EQ(harness.Snapshot(), files);
}

TEST_F(PresetCommandsTest, AddAcceptsNewNamesSelectsThemAndWritesOnlyTheList) {
  SetTitle(1, "一号");
  const size_t shown = harness.dialogs.shown.size();
  Run(AddPreset, "预设配置");
  Run(AddPreset, "abc");
  Run(AddPreset, "ABC");
  Run(AddPreset, "俓");                                // its second byte is a backslash
  EXPECT_EQ(harness.dialogs.shown.size(), shown + 4);  // the input boxes only
  EXPECT_EQ(Entries().size(), 7u);
  EXPECT_EQ(model().Text(Box()), "俓");
  EXPECT_EQ(Title(1), "");
  const std::filesystem::directory_iterator data(harness.Native("Data"));
  EXPECT_EQ(std::distance(data, std::filesystem::directory_iterator()), 1);
  EXPECT_TRUE(harness.ReadFile("Data\\config.ini"));
  Run(SavePreset);
  EXPECT_EQ(Last().title, "保存成功");
  EXPECT_TRUE(File("俓"));
}

TEST_F(PresetCommandsTest, AFailedAddShowsWhyAndKeepsListAndWindow) {
  SetTitle(1, "一号");
  std::filesystem::remove(harness.Native("Data\\config.ini"));
  std::filesystem::create_directory(harness.Native("Data\\config.ini"));
  const auto files = harness.Snapshot();
  Run(AddPreset, "新预设");
  EXPECT_EQ(Last().title, "增加失败");
  EXPECT_EQ(Last().text, "增加失败，无法写入Data文件夹！");
  EXPECT_EQ(harness.Snapshot(), files);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"预设配置一", "预设配置二", "预设配置三"}));
  EXPECT_EQ(model().Text(Box()), "预设配置一");
  EXPECT_EQ(Title(1), "一号");
}

TEST_F(PresetCommandsTest, ReadingAfterAddRenameOrDeleteNeverWritesAnotherPresetsFile) {
  SaveTwoPresets();
  model().UserPickEntry(Box(), 0);  // the current Preset name is now "预设配置一"
  const auto first = File("预设配置一");
  const auto second = File("预设配置二");
  Run(AddPreset, "新");
  ReadPreset(app());
  Run(RenamePreset, "新名");
  ReadPreset(app());
  EXPECT_EQ(File("预设配置一"), first);
  EXPECT_EQ(File("预设配置二"), second);
  Run(DeletePreset);
  EXPECT_EQ(Title(1), "一号");  // the first entry is loaded
  ReadPreset(app());
  EXPECT_EQ(File("预设配置一"), first);
  EXPECT_EQ(File("预设配置二"), second);
  EXPECT_EQ(Title(1), "一号");
}

TEST_F(PresetCommandsTest, RenameMovesTheFileOrRefusesATakenName) {
  SaveTwoPresets();
  model().SetSelection(Box(), 0);
  const auto first = File("预设配置一");
  Run(RenamePreset, "预设配置二");
  EXPECT_EQ(Last().text, "不能改为与已有选项重复的名称！");
  Run(RenamePreset, "a|b");
  EXPECT_EQ(Last().text, kBadName);
  harness.dialogs.answers.push_back(kResultCancel);
  Run(RenamePreset, "甲");
  EXPECT_FALSE(Last().input);  // Cancel at the confirmation asks for no name
  EXPECT_EQ(Entries(), (std::vector<std::string>{"预设配置一", "预设配置二", "预设配置三"}));

  Run(RenamePreset, "甲");
  EXPECT_EQ(Last().title, "改名成功");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"预设配置二", "预设配置三", "甲"}));
  EXPECT_EQ(model().Text(Box()), "甲");
  EXPECT_EQ(File("甲"), first);
  EXPECT_FALSE(File("预设配置一"));
  EXPECT_EQ(Title(1), "一号");
}

TEST_F(PresetCommandsTest, AFailedRenameShowsWhyAndLeavesListAndFilesAsTheyWere) {
  SaveTwoPresets();
  model().SetSelection(Box(), 0);
  harness.WriteFile("Data\\孤儿.ini", "[编辑框]\r\n");
  const auto files = harness.Snapshot();
  Run(RenamePreset, "孤儿");
  EXPECT_EQ(Last().text, "改名失败，已存在同名的预设文件！");
  EXPECT_EQ(harness.Snapshot(), files);
  std::filesystem::remove(harness.Native("Data\\config.ini"));
  std::filesystem::create_directory(harness.Native("Data\\config.ini"));
  const auto blocked = harness.Snapshot();
  Run(RenamePreset, "甲");
  EXPECT_EQ(Last().text, "改名失败，无法写入Data文件夹！");
  EXPECT_EQ(harness.Snapshot(), blocked);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"预设配置一", "预设配置二", "预设配置三"}));
  EXPECT_EQ(model().Text(Box()), "预设配置一");
}

TEST_F(PresetCommandsTest, DeleteRemovesTheFileAndLoadsTheFirstEntry) {
  SaveTwoPresets();
  Run(DeletePreset);
  EXPECT_EQ(Last().title, "删除成功");
  EXPECT_FALSE(File("预设配置二"));
  EXPECT_EQ(model().Text(Box()), "预设配置一");
  EXPECT_EQ(Title(1), "一号");
  Run(DeletePreset);
  Run(DeletePreset);
  EXPECT_TRUE(Entries().empty());
  EXPECT_EQ(model().Selection(Box()), -1);
  EXPECT_EQ(Title(1), "");
  harness.dialogs.shown.clear();
  Run(DeletePreset);
  ASSERT_EQ(harness.dialogs.shown.size(), 2u);  // confirmation first, then the refusal
  EXPECT_EQ(Last().text, "未选中或已无预设配置项可删除！");
}

TEST_F(PresetCommandsTest, AFailedDeleteShowsWhyAndKeepsListAndFiles) {
  SaveTwoPresets();
  std::filesystem::create_directory(harness.Native("Data\\预设配置三.ini"));
  model().SetSelection(Box(), 2);
  const auto files = harness.Snapshot();
  Run(DeletePreset);
  EXPECT_EQ(Last().text, "删除失败，无法删除预设文件！");
  EXPECT_EQ(harness.Snapshot(), files);
  EXPECT_EQ(Entries().size(), 3u);
}

TEST_F(PresetCommandsTest, AFailedSaveShowsWhyAndLeavesEveryFileAsItWas) {
  SaveTwoPresets();
  const auto second = File("预设配置二");
  std::filesystem::remove(harness.Native("Data\\config.ini"));
  std::filesystem::create_directory(harness.Native("Data\\config.ini"));
  SetTitle(2, "改过");
  Run(SavePreset);
  EXPECT_EQ(Last().title, "保存失败");
  EXPECT_EQ(Last().text, "保存失败，无法写入Data文件夹！");
  EXPECT_EQ(File("预设配置二"), second);

  model().SetSelection(Box(), -1);
  Run(SavePreset);
  EXPECT_EQ(Last().text, "保存失败，预设名称不能为空！");
}

#ifdef _WIN32
// Windows keeps a read-only Preset file, or one that another program holds open without
// sharing, from being replaced: the save reports the failure and the file keeps its bytes.
TEST_F(PresetCommandsTest, AReadOnlyOrHeldOpenPresetFileFailsTheSaveAndKeepsItsBytes) {
  SaveTwoPresets();
  const auto second = File("预设配置二");
  const std::wstring path = harness.Native("Data\\预设配置二.ini").wstring();
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_READONLY));
  SetTitle(2, "改过");
  Run(SavePreset);
  EXPECT_EQ(Last().title, "保存失败");
  EXPECT_EQ(File("预设配置二"), second);
  ASSERT_TRUE(SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL));

  const HANDLE held = CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  SetRetryPause([](int) {});
  Run(SavePreset);
  SetRetryPause({});
  CloseHandle(held);
  EXPECT_EQ(Last().text, "保存失败：文件“预设配置二.ini”可能正被其他程序打开，请关闭后重试。");
  EXPECT_EQ(File("预设配置二"), second);
}
#endif

TEST_F(PresetCommandsTest, AListedNameThatNamesNoDataFileNeverReachesAFileOutside) {
  const std::string outside = "[编辑框]\r\n标签标题编辑框1=外\r\n";
  harness.WriteFile("外面.ini", outside);
  harness.WriteFile("Data\\config.ini", "[组合框]\r\n预设组合框=..\\外面<|>0<||>0<|>..\\外面\r\n");
  harness.Start();
  EXPECT_EQ(Title(1), "");
  ReadPreset(app());
  Run(SavePreset);
  EXPECT_EQ(Last().text, "保存失败，该预设名称不能用作文件名！");
  Run(RenamePreset, "新");
  EXPECT_EQ(harness.ReadFile("外面.ini"), outside);
  model().SetSelection(Box(), model().AddItem(Box(), "..\\外面"));
  Run(DeletePreset);
  EXPECT_EQ(Last().title, "删除成功");
  EXPECT_EQ(harness.ReadFile("外面.ini"), outside);
}

// 0xFF and 0x80 start no character: the backslash after them would still separate folders.
TEST_F(PresetCommandsTest, ABackslashAfterAByteThatStartsNoCharacterIsNoWayIntoASubfolder) {
  const std::string inside = "[编辑框]\r\n标签标题编辑框1=子\r\n";
  harness.WriteFile("Data\\\xFF\\x.ini", inside);
  harness.WriteFile("Data\\config.ini", "[组合框]\r\n预设组合框=\xFF\\x<|>0<||>0<|>\xFF\\x\r\n");
  harness.Start();
  EXPECT_EQ(Title(1), "");
  Run(SavePreset);
  EXPECT_EQ(Last().text, "保存失败，该预设名称不能用作文件名！");
  Run(DeletePreset);
  EXPECT_EQ(harness.ReadFile("Data\\\xFF\\x.ini"), inside);
  for (const std::string name : {"\x80\\y", "\xFF\\y", "y\xB1"}) {
    Run(AddPreset, name);
    EXPECT_EQ(Last().text, kBadName);
  }
}

// config.ini is the Preset list itself: a Preset of that name from a hand-edited list would
// overwrite it with settings when saved and take it away when deleted.
TEST_F(PresetCommandsTest, APresetNamedConfigNeverTouchesTheListFile) {
  harness.WriteFile("Data\\config.ini",
                    "[组合框]\r\n预设组合框=config<|>0<||>周报<|>0<||>0<|>config\r\n");
  harness.Start();
  Run(SavePreset);
  EXPECT_EQ(Last().text, "保存失败，该预设名称不能用作文件名！");
  Run(DeletePreset);
  EXPECT_EQ(Last().title, "删除成功");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"周报"}));
  EXPECT_EQ(harness.ReadFile("Data\\config.ini"),
            "[组合框]\r\n预设组合框=周报<|>0<||>0<|>周报\r\n");
  Run(RenamePreset, "config");
  EXPECT_EQ(Last().text, kBadName);
}

// 周报 selected, 月报 listed, each with a file of its own.
class PresetFaultsTest : public PresetCommandsTest {
 protected:
  void SetUp() override {
    harness.WriteFile("Data\\config.ini",
                      "[组合框]\r\n预设组合框=周报<|>0<||>月报<|>0<||>0<|>周报\r\n");
    harness.WriteFile("Data\\周报.ini", "[编辑框]\r\n标签标题编辑框1=周一\r\n");
    harness.WriteFile("Data\\月报.ini", "[编辑框]\r\n标签标题编辑框2=月二\r\n");
    harness.Start();
  }
};

// A pick that cannot be stored used to leave 月报 selected over a config.ini that says 周报;
// reading and saving then wrote 月报's settings into 周报.ini.
TEST_F(PresetFaultsTest, APickThatCannotBeStoredIsReportedAndNoPresetGetsAnothersSettings) {
  const auto weekly = File("周报");
  ArmFileFault(1, ENOSPC);
  model().UserPickEntry(Box(), 1);
  DisarmFileFault();
  EXPECT_EQ(Last().title, "保存失败");
  EXPECT_EQ(model().Selection(Box()), 0);
  ReadPreset(app());
  Run(SavePreset);
  EXPECT_EQ(Last().text, "预设配置保存成功！");
  EXPECT_EQ(Title(1), "周一");
  EXPECT_EQ(Title(2), "");
  EXPECT_NE(File("周报")->find("标签标题编辑框1=周一"), std::string::npos);
  EXPECT_NE(File("月报")->find("月二"), std::string::npos);
  EXPECT_EQ(File("周报")->find("月二"), std::string::npos);
}

// The message box keeps its text; why the write failed goes to standard error in one line.
TEST_F(PresetFaultsTest, AFailureTellsItsCauseOnStandardErrorInOneLine) {
  ::testing::internal::CaptureStderr();
  ArmFileFault(1, ENOSPC);
  model().UserPickEntry(Box(), 1);
  DisarmFileFault();
  EXPECT_EQ(::testing::internal::GetCapturedStderr(),
            GbkToUtf8("velmora: 保存失败: cannot create a temporary file beside ") +
                NativePath(ConfigFilePath()) + ": " + std::strerror(ENOSPC) + "\n");
  EXPECT_EQ(Last().text, "保存失败，无法写入Data文件夹，预设选择未能保存！");

  ::testing::internal::CaptureStderr();
  model().UserPickEntry(Box(), 1);
  EXPECT_EQ(::testing::internal::GetCapturedStderr(), "");

  // config.ini cannot be written, and putting the Preset file back fails too: the line tells
  // both. The Preset file's replacement takes five calls, its putting back starts at the sixth.
  std::filesystem::remove(harness.Native("Data\\config.ini"));
  std::filesystem::create_directory(harness.Native("Data\\config.ini"));
  ::testing::internal::CaptureStderr();
  ArmFileFault(6, ENOSPC);
  Run(SavePreset);
  DisarmFileFault();
  const std::string line = ::testing::internal::GetCapturedStderr();
  EXPECT_EQ(Last().text, "保存失败，无法写入Data文件夹！");
  EXPECT_TRUE(line.starts_with(GbkToUtf8("velmora: 保存失败: cannot read ") +
                               NativePath(ConfigFilePath()) + ": "))
      << line;
  EXPECT_TRUE(line.ends_with("; undoing it: cannot create a temporary file beside " +
                             NativePath(PresetFilePath("月报")) + ": " + std::strerror(ENOSPC) +
                             "\n"))
      << line;
  EXPECT_EQ(std::count(line.begin(), line.end(), '\n'), 1);
}

TEST_F(PresetFaultsTest, AReadWhoseWriteBackFailsSaysSoAndKeepsWhatItRead) {
  harness.WriteFile("Data\\月报.ini", "[编辑框]\n标签标题编辑框2=月二\n");
  model().UserPickEntry(Box(), 1);
  const auto files = harness.Snapshot();
  ArmFileFault(1, EIO);
  ReadPreset(app());
  DisarmFileFault();
  EXPECT_EQ(Last().text, "保存失败，无法写入Data文件夹，读取的预设未能写回！");
  EXPECT_EQ(Title(2), "月二");
  EXPECT_EQ(harness.Snapshot(), files);
}

// The mode bits decide, so that the files stay even for root, whom access() lets write anything.
#ifndef _WIN32
// Windows: AReadOnlyOrHeldOpenPresetFileFailsTheSaveAndKeepsItsBytes holds the file for real.
TEST_F(PresetFaultsTest, AFileHeldByAnotherProgramIsNamedWithWhatToDoAndKept) {
  const auto weekly = File("周报");
  SetTitle(1, "改过");
  ArmFileFault(5, ETXTBSY);  // the rename over the Preset file
  Run(SavePreset);
  DisarmFileFault();
  EXPECT_EQ(Last().text, "保存失败：文件“周报.ini”可能正被其他程序打开，请关闭后重试。");
  EXPECT_EQ(File("周报"), weekly);
}
#endif

TEST_F(PresetFaultsTest, ReadOnlyFilesAreRefusedAndStayByteForByte) {
  const auto read_only = std::filesystem::perms::owner_read | std::filesystem::perms::group_read |
                         std::filesystem::perms::others_read;
  std::filesystem::permissions(harness.Native("Data\\周报.ini"), read_only);
  SetTitle(1, "改过");
  Run(SavePreset);
  EXPECT_EQ(Last().text, "保存失败，无法写入Data文件夹！");
  Run(DeletePreset);
  EXPECT_EQ(Last().text, "删除失败，无法删除预设文件！");
  const auto files = harness.Snapshot();
  std::filesystem::permissions(harness.Native("Data\\config.ini"), read_only);
  Run(AddPreset, "季报");
  EXPECT_EQ(Last().title, "增加失败");
  Run(RenamePreset, "新名");
  EXPECT_EQ(Last().title, "改名失败");
  Run(DeletePreset);
  EXPECT_EQ(Last().title, "删除失败");
  model().UserPickEntry(Box(), 1);
  EXPECT_EQ(Last().title, "保存失败");
  EXPECT_EQ(harness.Snapshot(), files);
  EXPECT_EQ(Entries(), (std::vector<std::string>{"周报", "月报"}));
}

TEST_F(PresetFaultsTest, ASaveNamesTheBoxesWhoseTextWillNotComeBackAndSavesEverything) {
  const ControlRef content = harness.Control("标签内容编辑框3");
  model().SetText(content, "<b><br\r\n<第二行");
  SetTitle(1, "说#引号");
  SetTitle(2, "照常");
  Run(SavePreset);
  EXPECT_EQ(harness.dialogs.shown[harness.dialogs.shown.size() - 2].text, "预设配置保存成功！");
  EXPECT_EQ(Last().title, "保存提示");
  EXPECT_NE(Last().text.find("第1个标签的标题、第3个标签的内容"), std::string::npos);
  EXPECT_EQ(Last().text.find("第2个"), std::string::npos);
  EXPECT_NE(File("周报")->find("标签标题编辑框2=照常"), std::string::npos);
  // The stored-text rules stay as every reader of the files knows them.
  EXPECT_NE(File("周报")->find("标签标题编辑框1=说#引号"), std::string::npos);
}

TEST_F(PresetFaultsTest, ANameMayEndInADotAndAPresetMayKeepItsNameWhenRenamed) {
  Run(AddPreset, "周报.");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"周报", "月报", "周报."}));
  model().SetSelection(Box(), 0);
  const auto weekly = File("周报");
  Run(RenamePreset, "周报");
  EXPECT_EQ(Last().text, "预设选项改名成功！");
  EXPECT_EQ(Entries(), (std::vector<std::string>{"月报", "周报.", "周报"}));
  EXPECT_EQ(File("周报"), weekly);
  EXPECT_EQ(Title(1), "周一");
}

// A block of zeros ends the value there for the reader as for the writer: what the window shows
// after start is what the next write keeps, and the entries before the damage stay.
TEST_F(PresetFaultsTest, ANulInTheStoredListEndsItAndTheListShownIsTheListKept) {
  harness.WriteFile("Data\\config.ini",
                    std::string("[组合框]\r\n预设组合框=周报<|>0<||>月报<|>0<||>季\0\0\0报<|>0<||>"
                                "0<|>周报\r\n",
                                70));
  harness.Start();
  const std::vector<std::string> shown = Entries();
  EXPECT_EQ(shown, (std::vector<std::string>{"周报", "月报"}));
  model().UserPickEntry(Box(), 1);
  harness.Start();
  EXPECT_EQ(Entries(), shown);
}

}  // namespace
}  // namespace velmora
