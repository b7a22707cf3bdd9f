#pragma once

#include "runtime/shell.h"

namespace velmora {

// Shows a folder with the desktop's default handler for folders.
class QtShell final : public Shell {
 public:
  void ShowFolder(std::string_view path) override;
};

}  // namespace velmora
