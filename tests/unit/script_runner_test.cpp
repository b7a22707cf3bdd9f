#include "script_runner.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "runtime/clock.h"
#include "runtime/gbk_codec.h"
#include "script_parser.h"
#include "script_session.h"
#include "temp_folder.h"
#include "transcript.h"

namespace velmora {
namespace {

std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

// Runs a UTF-8 script in a fresh run directory and gives the transcript.
std::string RunScript(const std::string& script) {
  const testing::TempFolder dir;
  std::ostringstream out;
  Transcript transcript(out);
  ParsedScript parsed = ParseScript(script);
  ScriptSession session(std::move(parsed.commands), parsed.line_count, transcript);
  ScriptRunner runner(session);
  const FixedClock clock(FromCalendarTime({2026, 1, 15, 10, 30, 0}));
  runner.Run(Utf8ToGbk(dir.path()), clock);
  return out.str() + "exit 0\n";
}

TEST(ScriptRunner, ModalWindowAndDialogsTakeTheFollowingCommands) {
  const std::string transcript =
      RunScript(Utf8(u8"click 时差计算按钮\n"
                     u8"click 时差计算按钮\n"
                     u8"show 时差结果编辑框\n"
                     u8"close\n"
                     u8"click 导出文档按钮\n"
                     u8"answer cancel\n"
                     u8"close\n"));
  EXPECT_EQ(transcript, Utf8(u8"时差结果编辑框 编辑框 text=\"0\" visible=1\n"
                             u8"message \"导出文档\" \"是否需要导出Word文档？\" ok-cancel\n"
                             u8"exit 0\n"));
}

TEST(ScriptRunnerDeathTest, WhatAUserCannotDoEndsTheRunWithCodeTwo) {
  const struct {
    const char8_t* script;
    const char* error;
  } cases[] = {
      {u8"dump\nanswer ok", "line 2: no message box is open"},
      {u8"input cancel", "line 1: no input box is open"},
      {u8"click 导出文档按钮\nclick 导出文档按钮", "line 2: the message box .* is open"},
      {u8"click 导出文档按钮", "line 1: the script ended while the message box"},
      {u8"click 导出文档按钮\nanswer ok\nanswer cancel", "line 3: .* has no Cancel button"},
      {u8"click 时差计算按钮\ndump", "line 2: the script ended while the window"},
      {u8"click 时差计算按钮\ntype 时差结果编辑框 \"5\"", "line 2: .* is disabled"},
      {u8"click 时差计算按钮\nclick 导出文档按钮", "line 2: no control named"},
      {u8"click 标签标题编辑框1", "line 1: .* cannot act on it"},
      {u8"type 标签标题编辑框1 \"x\"", "line 1: .* is not on the screen"},
      {u8"pick 预设组合框 3", "line 1: .* has no entry 3"},
      {u8"close\ndump", "line 2: the program has ended"},
  };
  for (const auto& c : cases) {
    EXPECT_EXIT(RunScript(Utf8(c.script)), ::testing::ExitedWithCode(kScriptErrorExitCode), c.error)
        << Utf8(c.script);
  }
}

}  // namespace
}  // namespace velmora
