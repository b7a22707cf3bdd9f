#pragma once

// How the model names a window and a control.

#include "ui/control_types.h"

namespace velmora {

using WindowId = int;  // 0: no window; every load gives a new identifier

// (type, window, control). control is the index of the layout entry; 0 is the window itself.
struct ControlRef {
  ControlType type = ControlType::kWindow;
  WindowId window = 0;
  int control = 0;
  bool operator==(const ControlRef&) const = default;
};

}  // namespace velmora
