#pragma once

// The commands of one run, taken one after the other by the runner, the scripted dialogs and
// the modal windows nested inside them, and the way a run ends on a script error.

#include <string_view>
#include <vector>

#include "script_parser.h"
#include "transcript.h"

namespace velmora {

inline constexpr int kScriptErrorExitCode = 2;

class ScriptSession {
 public:
  ScriptSession(std::vector<ScriptCommand> commands, int line_count, Transcript& transcript)
      : commands_(std::move(commands)), line_count_(line_count), transcript_(transcript) {}

  // The next command, or nullptr at the end of the script.
  const ScriptCommand* Next();
  int LastLine() const { return line_count_; }
  Transcript& transcript() { return transcript_; }

  // Ends the run: the message (UTF-8) on standard error, "exit 2" in the transcript.
  [[noreturn]] void Fail(int line, std::string_view message);

 private:
  std::vector<ScriptCommand> commands_;
  std::size_t next_ = 0;
  int line_count_ = 0;
  Transcript& transcript_;
};

// Writes the script error to standard error and ends the process with exit code 2.
[[noreturn]] void EndWithScriptError(Transcript& transcript, int line, std::string_view message);

}  // namespace velmora
