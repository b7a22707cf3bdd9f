#pragma once

// The two message boxes of the commands, title first as the box shows them: a report with OK,
// and a question whose OK lets the command go on.

#include <string_view>

#include "app/app_context.h"

namespace velmora {

inline void Tell(AppContext& app, std::string_view title, std::string_view text) {
  app.dialogs.MessageBox(text, kMessageOk, title);
}

[[nodiscard]] inline bool Confirm(AppContext& app, std::string_view title, std::string_view text) {
  return app.dialogs.MessageBox(text, kMessageOkCancel, title) == kResultOk;
}

}  // namespace velmora
