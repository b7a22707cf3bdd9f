#pragma once

#include <string_view>

namespace velmora {

// Shows a folder in the desktop's file manager; the result is not examined by the logic.
class Shell {
 public:
  virtual ~Shell() = default;
  virtual void ShowFolder(std::string_view path) = 0;  // GBK path
};

}  // namespace velmora
