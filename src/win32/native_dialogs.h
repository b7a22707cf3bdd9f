#pragma once

#include "win32/system_headers.h"

#include <functional>

#include "ui/dialogs.h"

namespace velmora {

// The message box and the input box, owned by the window that takes input (owner() gives it).
class NativeDialogs final : public Dialogs {
 public:
  NativeDialogs(HINSTANCE instance, std::function<HWND()> owner)
      : instance_(instance), owner_(std::move(owner)) {}

  int MessageBox(std::string_view text, int flags, std::string_view title) override;
  bool InputBox(std::string_view prompt, std::string_view title, std::string& text) override;

 private:
  HINSTANCE instance_;
  std::function<HWND()> owner_;
};

}  // namespace velmora
