#pragma once

// What every command of the program works on: the control model, the dialogs, the shell and
// the program-wide values.

#include <string>
#include <string_view>

#include "runtime/shell.h"
#include "ui/control_model.h"
#include "ui/dialogs.h"

namespace velmora {

struct AppContext {
  ControlModel& model;
  Dialogs& dialogs;
  Shell& shell;
  WindowId main_window = 0;

  // Program-wide values.
  // The Preset whose settings the window holds: the one read, picked, added or loaded last.
  // SavePreset writes into it, so that a list left behind by a failed write cannot lead it
  // into another Preset's file.
  std::string window_preset_name;
  ControlRef lookup_window;         // set at the end of startup
  std::string check_box_type_name;  // "选择框", set at the end of startup
  int numbering_flag = 0;

  ControlRef MainWindowRef() const { return model.WindowRef(main_window); }
  // The main window's control of that exact name.
  ControlRef MainControl(std::string_view name) const { return model.Find(main_window, name); }
};

}  // namespace velmora
