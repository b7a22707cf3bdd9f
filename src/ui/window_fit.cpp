#include "ui/window_fit.h"

#include <algorithm>
#include <cmath>

namespace velmora {
namespace {

// The client scales with the contents; the frame is the one the system draws at its own DPI,
// which the layout's outer size included at the preferred scale.
int OuterExtent(int layout_extent, int frame_extent, int dpi, int preferred_dpi) {
  const double client_layout =
      layout_extent - static_cast<double>(frame_extent) * kLayoutDotsPerInch / preferred_dpi;
  const double client = std::max(client_layout, 0.0) * dpi / kLayoutDotsPerInch;
  return static_cast<int>(std::lround(client)) + frame_extent;
}

}  // namespace

WindowFit FitWindow(int layout_width, int layout_height, WindowFrame frame, ScreenRect work_area,
                    int preferred_dpi, bool centred) {
  const int preferred = std::max(preferred_dpi, 1);
  const int lowest = std::min(preferred, kLayoutDotsPerInch);
  WindowFit fit;
  fit.dpi = preferred;
  for (; fit.dpi > lowest; --fit.dpi) {
    if (OuterExtent(layout_width, frame.width, fit.dpi, preferred) <= work_area.width &&
        OuterExtent(layout_height, frame.height, fit.dpi, preferred) <= work_area.height) {
      break;
    }
  }
  fit.outer.width = OuterExtent(layout_width, frame.width, fit.dpi, preferred);
  fit.outer.height = OuterExtent(layout_height, frame.height, fit.dpi, preferred);
  fit.outer.left = work_area.left;
  fit.outer.top = work_area.top;
  if (centred) {
    fit.outer.left += std::max((work_area.width - fit.outer.width) / 2, 0);
    fit.outer.top += std::max((work_area.height - fit.outer.height) / 2, 0);
  }
  return fit;
}

}  // namespace velmora
