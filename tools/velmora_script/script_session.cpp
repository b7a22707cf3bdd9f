#include "script_session.h"

#include <cstdlib>
#include <iostream>
#include <string_view>

namespace velmora {

const ScriptCommand* ScriptSession::Next() {
  if (next_ == commands_.size()) return nullptr;
  return &commands_[next_++];
}

void ScriptSession::Fail(int line, std::string_view message) {
  EndWithScriptError(transcript_, line, message);
}

void EndWithScriptError(Transcript& transcript, int line, std::string_view message) {
  transcript.Line("exit 2");
  transcript.Flush();
  std::cerr << "velmora-script: line " << line << ": " << message << '\n';
  std::cerr.flush();
  // The run stops at once, in the middle of a command: nothing is unwound.
  std::exit(kScriptErrorExitCode);
}

}  // namespace velmora
