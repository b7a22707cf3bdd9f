#pragma once

// Message box and input box answered by the script: each prints its transcript line, and the
// next command of the script must be its answer.

#include <string>
#include <string_view>

#include "script_session.h"
#include "ui/dialogs.h"

namespace velmora {

class ScriptedDialogs final : public Dialogs {
 public:
  explicit ScriptedDialogs(ScriptSession& session) : session_(session) {}
  int MessageBox(std::string_view text, int flags, std::string_view title) override;
  bool InputBox(std::string_view prompt, std::string_view title, std::string& text) override;

 private:
  const ScriptCommand& Answer(CommandKind expected, std::string_view what);

  ScriptSession& session_;
};

}  // namespace velmora
