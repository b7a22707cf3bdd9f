#include "script_parser.h"

#include <gtest/gtest.h>

#include <string>

namespace velmora {
namespace {

// Scripts are UTF-8, while the narrow literals of this file are GBK.
std::string Utf8(const char8_t* text) { return reinterpret_cast<const char*>(text); }

ScriptCommand ParseOne(const std::string& line) {
  const ParsedScript parsed = ParseScript(line);
  EXPECT_EQ(parsed.error_line, 0) << parsed.error;
  EXPECT_EQ(parsed.commands.size(), 1u);
  return parsed.commands.empty() ? ScriptCommand{} : parsed.commands.front();
}

TEST(ScriptParser, TextEscapesGiveRawBytesAndTheRestBecomesGbk) {
  const ScriptCommand command =
      ParseOne(Utf8(u8R"(type 文档标题编辑框 "甲\r\n\t\"q\"\\\x80\xfF乙")"));
  EXPECT_EQ(command.kind, CommandKind::kType);
  EXPECT_EQ(command.names.front(), "文档标题编辑框");
  EXPECT_EQ(command.text, "甲\r\n\t\"q\"\\\x80\xFF乙");
  EXPECT_EQ(ParseOne(R"(type 编辑框 "")").text, "");
}

TEST(ScriptParser, LinesAreCountedAcrossCommentsBlanksAndCrLf) {
  const ParsedScript parsed =
      ParseScript(Utf8(u8"# note\r\n\r\n  click 导出文档按钮\r\n\tdump\nclose"));
  ASSERT_EQ(parsed.error_line, 0) << parsed.error;
  ASSERT_EQ(parsed.commands.size(), 3u);
  EXPECT_EQ(parsed.commands[0].line, 3);
  EXPECT_EQ(parsed.commands[0].names.front(), "导出文档按钮");
  EXPECT_EQ(parsed.commands[1].line, 4);
  EXPECT_EQ(parsed.commands[2].kind, CommandKind::kClose);
  EXPECT_EQ(parsed.line_count, 5);
}

TEST(ScriptParser, AnswersAndInputsTellCancelFromATextSpelledCancel) {
  EXPECT_TRUE(ParseOne("answer cancel").cancel);
  EXPECT_FALSE(ParseOne("answer ok").cancel);
  EXPECT_TRUE(ParseOne("input cancel").cancel);
  const ScriptCommand typed = ParseOne(R"(input "cancel")");
  EXPECT_FALSE(typed.cancel);
  EXPECT_EQ(typed.text, "cancel");
}

TEST(ScriptParser, ArgumentsOfTheOtherCommands) {
  EXPECT_EQ(ParseOne(Utf8(u8"pick 预设组合框 2")).index, 2);
  EXPECT_EQ(ParseOne(Utf8(u8"show 甲 乙 丙")).names.size(), 3u);
  EXPECT_EQ(ParseOne(Utf8(u8R"(cat "周 报.docx")")).names.front(), "周 报.docx");

  const ScriptCommand day = ParseOne(Utf8(u8"date 时差日期框1 2024-02-29"));
  EXPECT_FALSE(day.has_time);
  EXPECT_EQ(day.date.month, 2);
  EXPECT_EQ(day.date.day, 29);
  const ScriptCommand timed = ParseOne(Utf8(u8"date 时差日期框1 2023-12-31 23:59:58"));
  EXPECT_TRUE(timed.has_time);
  EXPECT_EQ(timed.date.hour, 23);
  EXPECT_EQ(timed.date.second, 58);
}

TEST(ScriptParser, ErrorsNameTheLineAndRunNothing) {
  const struct {
    const char* script;
    int line;
  } cases[] = {
      {"dump\nfrobnicate x", 2},
      {R"(type a "open)", 1},
      {R"(type a "\q")", 1},
      {R"(type a "\x4")", 1},
      {R"(type a "x"y)", 1},
      {"type a b", 1},
      {"click", 1},
      {"click a b", 1},
      {"pick a -1", 1},
      {"pick a 1x", 1},
      {"page a", 1},
      {"date a 2023-02-29", 1},
      {"date a 2023-13-01", 1},
      {"date a 2023-1-01", 1},
      {"date a 2023-01-01 24:00:00", 1},
      {"answer yes", 1},
      {"input", 1},
      {"dump now", 1},
      {"show", 1},
      {R"(cat "")", 1},
  };
  for (const auto& c : cases) {
    const ParsedScript parsed = ParseScript(c.script);
    EXPECT_EQ(parsed.error_line, c.line) << c.script;
    EXPECT_FALSE(parsed.error.empty()) << c.script;
    EXPECT_TRUE(parsed.commands.empty()) << c.script;
  }
}

}  // namespace
}  // namespace velmora
