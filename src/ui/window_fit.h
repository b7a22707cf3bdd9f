#pragma once

// The scale and place of a top-level window on its monitor. The layout gives a window's outer
// size in layout pixels (96 per inch, frame and title bar included); a front end measures the
// frame it really has and the work area of the monitor, in device pixels, and applies the
// result. Scales are counted in dots per inch of the layout: 96 is 1:1, 144 is 150 %.

namespace velmora {

inline constexpr int kLayoutDotsPerInch = 96;

struct ScreenRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

struct WindowFrame {
  int width = 0;   // device pixels the frame adds to the client width
  int height = 0;  // and to the client height, title bar included
};

struct WindowFit {
  int dpi = kLayoutDotsPerInch;  // the scale the window's contents are laid out at
  ScreenRect outer;              // the window, frame included, in device pixels
};

// The preferred scale when the window fits the work area there, else the largest that fits,
// never below 1:1 (a window too large even then keeps 1:1). A centred window stands in the
// middle of the work area; any window keeps its top-left corner, and so its title bar, inside.
[[nodiscard]] WindowFit FitWindow(int layout_width, int layout_height, WindowFrame frame,
                                  ScreenRect work_area, int preferred_dpi, bool centred);

}  // namespace velmora
