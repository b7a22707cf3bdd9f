#pragma once

// Pixels of the layout (96 per inch) to the pixels of the monitor a window is on, and the
// font of every control.

#include "win32/system_headers.h"

#include "ui/layout.h"
#include "ui/window_fit.h"

namespace velmora {

inline constexpr int kLayoutDpi = 96;

// The DPI of the monitor of `window` (the primary monitor's for none).
int DpiOf(HWND window);

inline int Scaled(int layout_pixels, int dpi) { return MulDiv(layout_pixels, dpi, kLayoutDpi); }

// The scale and place of top-level `window`, made from the layout's window entry `own`: the
// monitor's DPI where the window fits the work area of its monitor, else the largest scale that
// does. Measured on the window as created, before it is shown; the window keeps the scale for
// the drawing of its controls.
WindowFit FitTopWindow(HWND window, const LayoutEntry& own);

// The scale, as a DPI, that the controls of the top-level window of `window` are laid out at:
// the one FitTopWindow gave, else the monitor's.
int LayoutDpiOf(HWND window);
// A system metric (SM_...) at `dpi`: the system gives it at the system's DPI.
int SystemMetricAt(int index, int dpi);

// "Microsoft YaHei" where the system has it, else the system's default GUI font; one font per
// DPI, kept for the run.
HFONT ControlFont(int dpi);

}  // namespace velmora
