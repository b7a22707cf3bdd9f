#pragma once

// The program frame: the start sequence, the handlers bound to the layout's events, closing.

#include <memory>
#include <string_view>

#include "app/app_context.h"
#include "runtime/clock.h"
#include "runtime/shell.h"
#include "ui/control_model.h"
#include "ui/dialogs.h"

namespace velmora {

struct ProgramServices {
  const Clock& clock;
  Dialogs& dialogs;
  Shell& shell;
  ModalHost& modal_host;
  ModelObserver* observer = nullptr;  // the view, if any
};

class Program {
 public:
  // Fixes the run directory (GBK) and makes it the current folder, binds every handler and
  // loads the main window: its `created` event runs the startup routine before the window
  // shows.
  Program(std::string_view run_directory, const ProgramServices& services);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  ControlModel& model();
  AppContext& context();
  WindowId main_window() const;
  bool Finished() const;  // the main window was closed; the program ends with exit code 0

 private:
  struct Impl;
  std::unique_ptr<Impl> impl_;
};

}  // namespace velmora
