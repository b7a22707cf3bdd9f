#pragma once

#include "runtime/shell.h"

namespace velmora {

// The folder opened with the shell's default action on it.
class NativeShell final : public Shell {
 public:
  void ShowFolder(std::string_view path) override;
};

}  // namespace velmora
