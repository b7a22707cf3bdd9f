#pragma once

// One program per run directory: two programs that work in the same Data folder overwrite each
// other's Preset list without a word. The first one to start takes this lock; the system drops
// it with the process, so that a program that was killed or crashed does not block the next
// start. Paths are native (UTF-8).

#include <string>
#include <string_view>

#include "runtime/file_result.h"

namespace velmora {

class RunDirectoryLock {
 public:
  RunDirectoryLock() = default;
  ~RunDirectoryLock();
  RunDirectoryLock(const RunDirectoryLock&) = delete;
  RunDirectoryLock& operator=(const RunDirectoryLock&) = delete;

  // Takes the lock of the folder, which must exist. A failure says why; held_elsewhere() then
  // tells whether another program holds it or the lock could not be asked for at all (a file
  // system without locks).
  [[nodiscard]] FileResult Take(std::string_view folder);
  bool held() const { return handle_ != kNoHandle; }
  bool held_elsewhere() const { return held_elsewhere_; }

 private:
#ifdef _WIN32
  using Handle = void*;  // the named mutex
  static constexpr Handle kNoHandle = nullptr;
#else
  using Handle = int;  // the folder, opened to hold its lock
  static constexpr Handle kNoHandle = -1;
#endif

  Handle handle_ = kNoHandle;
  bool held_elsewhere_ = false;
};

// A name that every process gives the same folder, however it was written (relative, with
// links, in another letter case on Windows), for what the programs of one run directory share:
// the lock itself on Windows, and the front ends' way to reach the program that holds it.
// Letters, digits and '-' only.
[[nodiscard]] std::string RunDirectoryKey(std::string_view folder);

}  // namespace velmora
