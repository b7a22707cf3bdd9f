#pragma once

// The message boxes of the commands, title first as the box shows them: a report with OK, the
// same for a failure whose cause also goes to standard error, and a question whose OK lets the
// command go on.

#include <string_view>

#include "app/app_context.h"
#include "app/failure_log.h"
#include "runtime/file_result.h"

namespace velmora {

inline void Tell(AppContext& app, std::string_view title, std::string_view text) {
  app.dialogs.MessageBox(text, kMessageOk, title);
}

// A failure because another program holds the file is told as such, with what to do, in place
// of the command's own text.
void TellFailure(AppContext& app, std::string_view title, std::string_view text,
                 const FileResult& failure);

[[nodiscard]] inline bool Confirm(AppContext& app, std::string_view title, std::string_view text) {
  return app.dialogs.MessageBox(text, kMessageOkCancel, title) == kResultOk;
}

}  // namespace velmora
