#include "scripted_dialogs.h"

#include <string>
#include <string_view>

#include "transcript.h"

namespace velmora {

const ScriptCommand& ScriptedDialogs::Answer(CommandKind expected, std::string_view what) {
  const ScriptCommand* command = session_.Next();
  if (command == nullptr)
    session_.Fail(session_.LastLine(), "the script ended while " + std::string(what) + " was open");
  if (command->kind != expected) {
    session_.Fail(command->line, std::string(what) + " is open: the next command must be " +
                                     (expected == CommandKind::kAnswer
                                          ? "\"answer ok\" or \"answer cancel\""
                                          : "\"input \\\"TEXT\\\"\" or \"input cancel\""));
  }
  return *command;
}

int ScriptedDialogs::MessageBox(std::string_view text, int flags, std::string_view title) {
  const bool with_cancel = flags == kMessageOkCancel;
  session_.transcript().Line("message " + QuoteText(title) + " " + QuoteText(text) +
                             (with_cancel ? " ok-cancel" : " ok"));
  const ScriptCommand& answer = Answer(CommandKind::kAnswer, "the message box " + QuoteText(title));
  if (answer.cancel && !with_cancel)
    session_.Fail(answer.line, "the message box " + QuoteText(title) + " has no Cancel button");
  return answer.cancel ? kResultCancel : kResultOk;
}

bool ScriptedDialogs::InputBox(std::string_view prompt, std::string_view title, std::string& text) {
  // The dialog keeps its own caption when no title is given.
  const std::string caption = title.empty() ? std::string("请输入：") : std::string(title);
  session_.transcript().Line("input " + QuoteText(caption) + " " + QuoteText(prompt));
  const ScriptCommand& answer = Answer(CommandKind::kInput, "the input box " + QuoteText(caption));
  if (answer.cancel) return false;
  text = answer.text;
  return true;
}

}  // namespace velmora
