#include "script_parser.h"

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/gbk_codec.h"

namespace velmora {

namespace {

struct Token {
  std::string value;  // GBK
  std::string word;   // a bare word as written (UTF-8); empty for a quoted text
  bool quoted = false;
};

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads the quoted text that starts at line[pos] (the opening quote); pos ends after the
// closing quote. Plain runs are converted to GBK, escaped bytes are taken as they are.
bool ReadQuoted(std::string_view line, std::size_t& pos, std::string& out, std::string& error) {
  std::string plain;
  const auto flush = [&] {
    out += Utf8ToGbk(plain);
    plain.clear();
  };
  for (++pos; pos < line.size(); ++pos) {
    const char c = line[pos];
    if (c == '"') {
      flush();
      ++pos;
      return true;
    }
    if (c != '\\') {
      plain += c;
      continue;
    }
    if (++pos == line.size()) break;
    char byte = 0;
    switch (line[pos]) {
      case 'r':
        byte = '\r';
        break;
      case 'n':
        byte = '\n';
        break;
      case 't':
        byte = '\t';
        break;
      case '"':
        byte = '"';
        break;
      case '\\':
        byte = '\\';
        break;
      case 'x': {
        const int high = pos + 1 < line.size() ? HexDigit(line[pos + 1]) : -1;
        const int low = pos + 2 < line.size() ? HexDigit(line[pos + 2]) : -1;
        if (high < 0 || low < 0) {
          error = "\\x must be followed by two hexadecimal digits";
          return false;
        }
        byte = static_cast<char>(high * 16 + low);
        pos += 2;
        break;
      }
      default:
        error = std::string("unknown escape \\") + line[pos];
        return false;
    }
    flush();
    out += byte;
  }
  error = "a quoted text is not closed";
  return false;
}

bool Tokenize(std::string_view line, std::vector<Token>& tokens, std::string& error) {
  std::size_t pos = 0;
  while (true) {
    while (pos < line.size() && IsBlank(line[pos])) ++pos;
    if (pos == line.size()) return true;
    Token token;
    if (line[pos] == '"') {
      token.quoted = true;
      if (!ReadQuoted(line, pos, token.value, error)) return false;
      if (pos < line.size() && !IsBlank(line[pos])) {
        error = "a quoted text must be followed by a blank";
        return false;
      }
    } else {
      const std::size_t start = pos;
      while (pos < line.size() && !IsBlank(line[pos])) ++pos;
      token.word = std::string(line.substr(start, pos - start));
      token.value = Utf8ToGbk(token.word);
    }
    tokens.push_back(std::move(token));
  }
}

bool ParseIndex(const Token& token, int& index) {
  const std::string& word = token.word;
  if (token.quoted || word.empty()) return false;
  const auto [end, code] = std::from_chars(word.data(), word.data() + word.size(), index);
  return code == std::errc() && end == word.data() + word.size() && index >= 0;
}

bool ParseNumber(std::string_view text, int& value) {
  const auto [end, code] = std::from_chars(text.data(), text.data() + text.size(), value);
  return code == std::errc() && end == text.data() + text.size();
}

struct CommandSpelling {
  std::string_view word;
  CommandKind kind;
};

constexpr CommandSpelling kCommands[] = {
    {"click", CommandKind::kClick},   {"type", CommandKind::kType},
    {"pick", CommandKind::kPick},     {"page", CommandKind::kPage},
    {"date", CommandKind::kDate},     {"close", CommandKind::kClose},
    {"answer", CommandKind::kAnswer}, {"input", CommandKind::kInput},
    {"show", CommandKind::kShow},     {"dump", CommandKind::kDump},
    {"files", CommandKind::kFiles},   {"cat", CommandKind::kCat},
};

// Fills the command from its arguments; an empty result means the arguments fit.
std::string ReadArguments(const std::vector<Token>& args, ScriptCommand& command) {
  const auto count_is = [&args](std::size_t n) { return args.size() == n; };
  const auto is_word = [&args](std::size_t i, std::string_view word) {
    return !args[i].quoted && args[i].word == word;
  };
  switch (command.kind) {
    case CommandKind::kClick:
      if (!count_is(1)) return "usage: click NAME";
      command.names = {args[0].value};
      return {};
    case CommandKind::kType:
      if (!count_is(2) || !args[1].quoted) return "usage: type NAME \"TEXT\"";
      command.names = {args[0].value};
      command.text = args[1].value;
      return {};
    case CommandKind::kPick:
    case CommandKind::kPage:
      if (!count_is(2) || !ParseIndex(args[1], command.index)) {
        return command.kind == CommandKind::kPick ? "usage: pick NAME INDEX (INDEX from 0)"
                                                  : "usage: page NAME INDEX (INDEX from 0)";
      }
      command.names = {args[0].value};
      return {};
    case CommandKind::kDate: {
      if (args.size() != 2 && args.size() != 3) return "usage: date NAME YYYY-MM-DD [HH:MM:SS]";
      const std::optional<CalendarTime> date = ParseDate(args[1].word);
      if (args[1].quoted || !date) return "not a date: " + args[1].word;
      command.date = *date;
      command.has_time = args.size() == 3;
      if (command.has_time && (args[2].quoted || !ParseTimeOfDay(args[2].word, command.date)))
        return "not a time of day: " + args[2].word;
      command.names = {args[0].value};
      return {};
    }
    case CommandKind::kClose:
    case CommandKind::kDump:
    case CommandKind::kFiles:
      if (!count_is(0)) return "this command takes no arguments";
      return {};
    case CommandKind::kAnswer:
      if (!count_is(1) || !(is_word(0, "ok") || is_word(0, "cancel")))
        return "usage: answer ok|cancel";
      command.cancel = is_word(0, "cancel");
      return {};
    case CommandKind::kInput:
      if (count_is(1) && is_word(0, "cancel")) {
        command.cancel = true;
        return {};
      }
      if (!count_is(1) || !args[0].quoted) return "usage: input \"TEXT\" or input cancel";
      command.text = args[0].value;
      return {};
    case CommandKind::kShow:
      if (args.empty()) return "usage: show NAME...";
      for (const Token& arg : args) command.names.push_back(arg.value);
      return {};
    case CommandKind::kCat:
      if (!count_is(1) || args[0].value.empty()) return "usage: cat PATH";
      command.names = {args[0].value};
      return {};
  }
  return "unknown command";
}

}  // namespace

std::optional<CalendarTime> ParseDate(std::string_view text) {
  CalendarTime time;
  if (text.size() != 10 || text[4] != '-' || text[7] != '-' ||
      !ParseNumber(text.substr(0, 4), time.year) || !ParseNumber(text.substr(5, 2), time.month) ||
      !ParseNumber(text.substr(8, 2), time.day))
    return std::nullopt;
  if (time.year < 100 || time.month < 1 || time.month > 12 || time.day < 1) return std::nullopt;
  static constexpr int kDays[] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
  const bool leap = (time.year % 4 == 0 && time.year % 100 != 0) || time.year % 400 == 0;
  const int days = kDays[time.month - 1] + (time.month == 2 && leap ? 1 : 0);
  if (time.day > days) return std::nullopt;
  time.hour = time.minute = time.second = 0;
  return time;
}

bool ParseTimeOfDay(std::string_view text, CalendarTime& time) {
  int hour = 0;
  int minute = 0;
  int second = 0;
  if (text.size() != 8 || text[2] != ':' || text[5] != ':' ||
      !ParseNumber(text.substr(0, 2), hour) || !ParseNumber(text.substr(3, 2), minute) ||
      !ParseNumber(text.substr(6, 2), second))
    return false;
  if (hour > 23 || minute > 59 || second > 59 || hour < 0 || minute < 0 || second < 0) return false;
  time.hour = hour;
  time.minute = minute;
  time.second = second;
  return true;
}

ParsedScript ParseScript(std::string_view script) {
  ParsedScript parsed;
  std::size_t start = 0;
  while (start < script.size()) {
    std::size_t end = script.find('\n', start);
    if (end == std::string_view::npos) end = script.size();
    std::string_view line = script.substr(start, end - start);
    start = end + 1;
    ++parsed.line_count;
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);

    std::size_t first = 0;
    while (first < line.size() && IsBlank(line[first])) ++first;
    if (first == line.size() || line[first] == '#') continue;

    const auto fail = [&parsed](std::string error) {
      parsed.error_line = parsed.line_count;
      parsed.error = std::move(error);
      parsed.commands.clear();
      return parsed;
    };
    std::vector<Token> tokens;
    std::string error;
    if (!Tokenize(line, tokens, error)) return fail(error);
    ScriptCommand command;
    command.line = parsed.line_count;
    bool known = false;
    for (const CommandSpelling& spelling : kCommands) {
      if (!tokens[0].quoted && tokens[0].word == spelling.word) {
        command.kind = spelling.kind;
        known = true;
      }
    }
    if (!known) {
      const std::string_view rest = line.substr(first);
      return fail("unknown command " + std::string(rest.substr(0, rest.find_first_of(" \t"))));
    }
    tokens.erase(tokens.begin());
    error = ReadArguments(tokens, command);
    if (!error.empty()) return fail(error);
    parsed.commands.push_back(std::move(command));
  }
  return parsed;
}

}  // namespace velmora
