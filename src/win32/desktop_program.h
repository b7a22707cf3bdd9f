#pragma once

#include "win32/system_headers.h"

#include <memory>
#include <string_view>

#include "app/program.h"
#include "runtime/clock.h"
#include "win32/native_dialogs.h"
#include "win32/native_shell.h"
#include "win32/native_view.h"

namespace velmora {

// The program with its native windows, dialogs and shell.
class DesktopProgram {
 public:
  DesktopProgram(HINSTANCE instance, std::string_view run_directory, const Clock& clock);
  ~DesktopProgram();
  DesktopProgram(const DesktopProgram&) = delete;
  DesktopProgram& operator=(const DesktopProgram&) = delete;

  // The message loop, until the last window has closed.
  void Run();
  // The main window as it was loaded; null when the program ended during its start.
  HWND main_window() const { return main_window_; }

 private:
  NativeView view_;
  NativeDialogs dialogs_;
  NativeShell shell_;
  std::unique_ptr<Program> program_;
  HWND main_window_ = nullptr;
};

}  // namespace velmora
