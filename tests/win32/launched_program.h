#pragma once

// A Windows program started by the driver, with its own folder as the current folder (the way
// Explorer starts it); ended by force when the driver lets go of it while it still runs.

#include <windows.h>

#include <optional>
#include <string>

namespace velmora {

class LaunchedProgram {
 public:
  // Starts the program at exe (a full path); nothing when it cannot be started.
  static std::optional<LaunchedProgram> Start(const std::wstring& exe);

  LaunchedProgram(LaunchedProgram&& other) noexcept;
  LaunchedProgram& operator=(LaunchedProgram&&) = delete;
  LaunchedProgram(const LaunchedProgram&) = delete;
  ~LaunchedProgram();

  DWORD id() const { return id_; }
  HANDLE handle() const { return process_; }
  // Its exit code once it has ended, or nothing when it still runs after timeout_ms.
  std::optional<DWORD> WaitForExit(DWORD timeout_ms);

 private:
  LaunchedProgram(HANDLE process, DWORD id) : process_(process), id_(id) {}
  HANDLE process_ = nullptr;
  DWORD id_ = 0;
};

}  // namespace velmora
