#pragma once

#include "runtime/shell.h"

namespace velmora {

// The folder opened with the shell's default action on it. The shell may hand the folder to an
// extension through COM, which nothing else of the program needs: COM starts on the first
// folder shown, not before the first window, and ends with this object.
class NativeShell final : public Shell {
 public:
  NativeShell() = default;
  NativeShell(const NativeShell&) = delete;
  NativeShell& operator=(const NativeShell&) = delete;
  ~NativeShell() override;

  void ShowFolder(std::string_view path) override;

 private:
  bool com_started_ = false;
};

}  // namespace velmora
