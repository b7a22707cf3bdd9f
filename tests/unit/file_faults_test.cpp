#include "runtime/file_faults.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "app/document_export.h"
#include "app/preset_commands.h"
#include "app/stored_text.h"
#include "preset_test_support.h"
#include "runtime/profile_store.h"

namespace velmora {
namespace {

using Files = std::map<std::string, std::string>;

// Two Presets with files, 周报 selected, a third without a file, and an exported document. The
// Preset files end their lines in LF, so that reading one writes it back.
void WriteStartFiles(const testing::ProgramHarness& harness) {
  harness.WriteFile("Data\\config.ini",
                    "[组合框]\r\n预设组合框=周报<|>0<||>月报<|>0<||>季报<|>0<||>0<|>周报\r\n");
  harness.WriteFile("Data\\周报.ini",
                    "[选择框]\n标签选择框1=真\n[编辑框]\n标签标题编辑框1=周一\n"
                    "标签内容编辑框1=周报第一条\n");
  harness.WriteFile("Data\\月报.ini",
                    "[选择框]\n标签选择框2=真\n[编辑框]\n标签标题编辑框2=月二\n"
                    "标签内容编辑框2=月报第二条\n");
  harness.WriteFile("清单.docx", "an earlier export");
}

Files Snapshot(const testing::ProgramHarness& harness) {
  Files files;
  for (auto& [path, bytes] : harness.Snapshot()) files[path] = bytes;
  return files;
}

struct Command {
  const char* name;
  std::function<void(testing::ProgramHarness&)> prepare;  // runs before the faults are armed
  std::function<void(testing::ProgramHarness&)> run;
};

ControlRef Box(testing::ProgramHarness& harness) { return harness.Control("预设组合框"); }

void Type(testing::ProgramHarness& harness, std::string_view box, std::string_view text) {
  harness.model().SetText(harness.Control(box), text);
}

std::vector<Command> Commands() {
  const auto nothing = [](testing::ProgramHarness&) {};
  return {
      {"save over a file", [](auto& h) { Type(h, "标签标题编辑框1", "改过"); },
       [](auto& h) { SavePreset(h.app()); }},
      {"save a new file",
       [](auto& h) {
         h.model().UserPickEntry(Box(h), 2);
         Type(h, "标签标题编辑框3", "季三");
       },
       [](auto& h) { SavePreset(h.app()); }},
      {"add", [](auto& h) { h.dialogs.inputs.push_back("年报"); },
       [](auto& h) { AddPreset(h.app()); }},
      {"rename", [](auto& h) { h.dialogs.inputs.push_back("新名"); },
       [](auto& h) { RenamePreset(h.app()); }},
      {"delete", nothing, [](auto& h) { DeletePreset(h.app()); }},
      {"pick", nothing, [](auto& h) { h.model().UserPickEntry(Box(h), 1); }},
      {"read", [](auto& h) { h.model().UserPickEntry(Box(h), 1); },
       [](auto& h) { ReadPreset(h.app()); }},
      {"export a new document", [](auto& h) { Type(h, "文档标题编辑框", "周报导出"); },
       [](auto& h) { ExportDocument(h.app()); }},
      {"export over a document", nothing, [](auto& h) { ExportDocument(h.app()); }},
  };
}

struct Outcome {
  Files before;
  Files after;
  bool failure_shown = false;
  int calls = 0;
  std::string list_shown;
  std::string list_stored;
};

Outcome RunCommand(const Command& command, int fail_at, int error) {
  testing::ProgramHarness harness;
  WriteStartFiles(harness);
  harness.Start();
  command.prepare(harness);
  Outcome run;
  run.before = Snapshot(harness);
  const std::size_t shown_before = harness.dialogs.shown.size();
  ArmFileFault(fail_at, error);
  command.run(harness);
  run.calls = FileCallCount();
  DisarmFileFault();
  for (std::size_t i = shown_before; i < harness.dialogs.shown.size(); ++i) {
    if (harness.dialogs.shown[i].title.find("失败") != std::string::npos) run.failure_shown = true;
  }
  run.after = Snapshot(harness);
  run.list_shown = EncodeComboState(harness.model().Combo(Box(harness)));
  run.list_stored =
      ReadProfileText(harness.run_directory() + "\\Data\\config.ini", "组合框", "预设组合框");
  return run;
}

// Every failure point of every command, with a full disk and with a failing drive: each file
// holds its old bytes or its complete new ones, no temporary file is left, the Preset box
// shows the list config.ini holds, and a failure is reported exactly when the command did not
// complete.
TEST(FileFaultsTest, EveryFailurePointOfEveryCommandLosesNothingAndIsReported) {
  int failure_points = 0;
  for (const Command& command : Commands()) {
    const Outcome clean = RunCommand(command, 0, 0);
    ASSERT_FALSE(clean.failure_shown) << command.name;
    ASSERT_NE(clean.after, clean.before) << command.name << " changes no file";
    ASSERT_GT(clean.calls, 0) << command.name;
    failure_points += clean.calls;
    std::printf("%s: %d failure points\n", command.name, clean.calls);
    for (int fail_at = 1; fail_at <= clean.calls; ++fail_at) {
      for (const int error : {ENOSPC, EIO}) {
        const Outcome run = RunCommand(command, fail_at, error);
        const std::string where = std::string(command.name) + ", call " + std::to_string(fail_at) +
                                  ", errno " + std::to_string(error);
        Files all = run.before;
        all.insert(clean.after.begin(), clean.after.end());
        all.insert(run.after.begin(), run.after.end());
        for (const auto& [path, ignored] : all) {
          const auto value = [&path](const Files& files) -> std::optional<std::string> {
            const auto found = files.find(path);
            if (found == files.end()) return std::nullopt;
            return found->second;
          };
          EXPECT_TRUE(value(run.after) == value(run.before) ||
                      value(run.after) == value(clean.after))
              << where << ": " << path;
          EXPECT_EQ(path.find(".~"), std::string::npos) << where << ": " << path;
        }
        const bool completed = run.after == clean.after;
        EXPECT_EQ(run.failure_shown, !completed) << where;
        EXPECT_EQ(run.list_shown, run.list_stored) << where;
      }
    }
  }
  std::printf("failure points: %d, runs: %d\n", failure_points, 2 * failure_points);
  EXPECT_GE(failure_points, 30);
}

}  // namespace
}  // namespace velmora
