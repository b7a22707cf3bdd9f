#pragma once

#include "ui/dialogs.h"

namespace velmora {

// The message box and the input box as Qt dialogs. Both are application-modal: no other window
// takes input while one is open.
class QtDialogs final : public Dialogs {
 public:
  int MessageBox(std::string_view text, int flags, std::string_view title) override;
  bool InputBox(std::string_view prompt, std::string_view title, std::string& text) override;
};

}  // namespace velmora
