#include "gui/desktop_program.h"

namespace velmora {

DesktopProgram::DesktopProgram(std::string_view run_directory, const Clock& clock,
                               std::function<void()> finished) {
  view_.SetFinished(std::move(finished));
  program_ = std::make_unique<Program>(run_directory,
                                       ProgramServices{clock, dialogs_, shell_, view_, &view_});
  view_.Attach(program_->model());
}

DesktopProgram::~DesktopProgram() {
  view_.Detach();
  program_.reset();
}

}  // namespace velmora
