#pragma once

// Pixels of the layout (96 per inch) to the pixels of the monitor a window is on, and the
// font of every control.

#include "win32/system_headers.h"

namespace velmora {

inline constexpr int kLayoutDpi = 96;

// The DPI of the monitor of `window` (the primary monitor's for none).
int DpiOf(HWND window);

inline int Scaled(int layout_pixels, int dpi) { return MulDiv(layout_pixels, dpi, kLayoutDpi); }

// "Microsoft YaHei" where the system has it, else the system's default GUI font; one font per
// DPI, kept for the run.
HFONT ControlFont(int dpi);

}  // namespace velmora
