#pragma once

#include <string>
#include <string_view>

namespace velmora {

inline constexpr int kMessageOk = 0;        // flags: the OK button alone
inline constexpr int kMessageOkCancel = 1;  // flags: OK and Cancel
inline constexpr int kResultOk = 0;
inline constexpr int kResultCancel = 1;  // also Esc and the close button

// The two modal dialogs. Texts are GBK. Both return only when the user has closed them.
class Dialogs {
 public:
  virtual ~Dialogs() = default;
  virtual int MessageBox(std::string_view text, int flags, std::string_view title) = 0;
  // True when confirmed; text then holds what was typed. On Cancel text stays unchanged.
  virtual bool InputBox(std::string_view prompt, std::string_view title, std::string& text) = 0;
};

}  // namespace velmora
