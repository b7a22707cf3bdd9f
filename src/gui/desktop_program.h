#pragma once

#include <functional>
#include <memory>
#include <string_view>

#include "app/program.h"
#include "gui/qt_dialogs.h"
#include "gui/qt_shell.h"
#include "gui/qt_view.h"
#include "runtime/clock.h"

namespace velmora {

// The program with its Qt windows, dialogs and shell: what the desktop program runs, and what
// the window tests and the benchmark build. Needs a QApplication.
class DesktopProgram {
 public:
  // run_directory is GBK. finished is called once the last window has closed; the program then
  // ends with exit code 0.
  DesktopProgram(std::string_view run_directory, const Clock& clock,
                 std::function<void()> finished = {});
  ~DesktopProgram();
  DesktopProgram(const DesktopProgram&) = delete;
  DesktopProgram& operator=(const DesktopProgram&) = delete;

  Program& program() { return *program_; }
  ControlModel& model() { return program_->model(); }
  QtView& view() { return view_; }
  QWidget* main_window() const { return view_.WindowWidget(program_->main_window()); }

 private:
  QtDialogs dialogs_;
  QtShell shell_;
  QtView view_;
  std::unique_ptr<Program> program_;
};

}  // namespace velmora
