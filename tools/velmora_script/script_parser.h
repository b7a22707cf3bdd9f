#pragma once

// The script language of velmora-script: one command per line, UTF-8, "#" comments. Text
// arguments are quoted with the escapes \r \n \t \" \\ and \xHH (one raw byte); everything
// else in them, and every bare word, is converted to GBK.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/date_time.h"

namespace velmora {

enum class CommandKind {
  kClick,
  kType,
  kPick,
  kPage,
  kDate,
  kClose,
  kAnswer,
  kInput,
  kShow,
  kDump,
  kFiles,
  kCat,
};

struct ScriptCommand {
  int line = 0;
  CommandKind kind = CommandKind::kDump;
  std::vector<std::string> names;  // GBK: the control names (show: all of them), cat: the path
  std::string text;                // type, input: the text (GBK)
  int index = 0;                   // pick, page
  bool cancel = false;             // answer cancel, input cancel
  // date: the calendar date, and the time of day when the script gives one.
  CalendarTime date;
  bool has_time = false;
};

struct ParsedScript {
  std::vector<ScriptCommand> commands;
  int line_count = 0;
  int error_line = 0;  // 0 when the script is sound
  std::string error;   // UTF-8
};

ParsedScript ParseScript(std::string_view script);

// "YYYY-MM-DD" and "HH:MM:SS" with a real calendar date between the years 100 and 9999.
std::optional<CalendarTime> ParseDate(std::string_view text);
bool ParseTimeOfDay(std::string_view text, CalendarTime& time);

}  // namespace velmora
