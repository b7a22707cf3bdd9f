#pragma once

// A second start of velmora.exe on a run directory that a running one holds brings that one's
// main window to the front and ends. The holder marks its main window with a window property
// named after the run directory (RunDirectoryKey), which any process can look for.

#include "win32/system_headers.h"

#include <string>

namespace velmora {

// Marks window as the main window of the program that holds the run directory with that key,
// until the mark goes with the object.
class HolderMark {
 public:
  HolderMark(HWND window, const std::string& key);
  ~HolderMark();
  HolderMark(const HolderMark&) = delete;
  HolderMark& operator=(const HolderMark&) = delete;

 private:
  HWND window_;
  std::wstring property_;
};

// Finds the marked main window and brings it to the front, restored when minimised; true when
// it was found within timeout_ms (the holder may be starting still).
[[nodiscard]] bool RequestFront(const std::string& key, DWORD timeout_ms);

}  // namespace velmora
