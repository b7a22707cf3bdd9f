#pragma once

// Runs the program headless under a script: the user actions of the script reach the control
// model, modal windows and dialogs take their commands from the same script, and everything
// the user would see or the shell would be asked goes into the transcript.

#include <string>
#include <string_view>

#include "app/program.h"
#include "runtime/clock.h"
#include "runtime/fatal_error.h"
#include "runtime/shell.h"
#include "script_session.h"
#include "scripted_dialogs.h"
#include "ui/control_model.h"

namespace velmora {

class ScriptRunner final : public ModalHost, public Shell, public FatalErrorSink {
 public:
  explicit ScriptRunner(ScriptSession& session) : session_(session), dialogs_(session) {}

  // Starts the program in the run directory (GBK) and runs the script to its end; the program
  // then ends with exit code 0, whether or not the script closed its windows.
  void Run(std::string_view run_directory, const Clock& clock);

  void RunModal(WindowId window) override;
  void ShowFolder(std::string_view path) override;  // prints open "PATH", relative to the run dir
  void ShowFatalReport(std::string_view body) override;

 private:
  void Execute(const ScriptCommand& command);
  ControlRef Lookup(const ScriptCommand& command, std::string_view name);
  // The control a user can act on: on screen and enabled, and of one of the expected types.
  ControlRef Actionable(const ScriptCommand& command, std::initializer_list<ControlType> types);
  std::string Describe(const ControlRef& control) const;
  void ListFiles();
  void PrintFile(const ScriptCommand& command);

  ScriptSession& session_;
  ScriptedDialogs dialogs_;
  ControlModel* model_ = nullptr;
};

}  // namespace velmora
