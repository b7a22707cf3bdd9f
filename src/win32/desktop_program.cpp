#include "win32/desktop_program.h"

namespace velmora {

DesktopProgram::DesktopProgram(HINSTANCE instance, std::string_view run_directory,
                               const Clock& clock)
    : view_(instance), dialogs_(instance, [this] { return view_.ActiveWindowHandle(); }) {
  program_ = std::make_unique<Program>(run_directory,
                                       ProgramServices{clock, dialogs_, shell_, view_, &view_});
  view_.Attach(program_->model());
  // Right after the load the main window is the one that takes input.
  if (!program_->Finished()) main_window_ = view_.ActiveWindowHandle();
}

DesktopProgram::~DesktopProgram() {
  view_.Detach();
  program_.reset();
}

void DesktopProgram::Run() {
  if (program_->Finished()) return;
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (view_.TranslateDialogKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

}  // namespace velmora
