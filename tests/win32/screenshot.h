#pragma once

// Screenshots of windows as they stand on the screen, frame included, saved as PNG.

#include <windows.h>

#include <string>

namespace velmora {

// Whether the picture of window could be taken and written to path.
bool SaveScreenshot(HWND window, const std::wstring& path);

}  // namespace velmora
