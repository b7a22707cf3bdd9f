#pragma once

// Finding the controls of a loaded window by name, name prefix and type name, and taking
// one from the list found (ControlAt, RequireType).

#include <string_view>
#include <vector>

#include "ui/control_ref.h"
#include "ui/window_stack.h"

namespace velmora {

class ControlQuery {
 public:
  explicit ControlQuery(const WindowStack& windows) : windows_(windows) {}

  // Controls whose name matches the pattern (a prefix, or after "@" the exact name) and whose
  // type name equals type_name when one is given, in control order. Anything but a window
  // reference gives none.
  std::vector<ControlRef> FindControls(const ControlRef& window, std::string_view pattern = {},
                                       std::string_view type_name = {}) const;
  // The control of that exact name, or an empty reference (window 0).
  ControlRef Find(WindowId window, std::string_view name) const;
  // All controls of a window in control order (the window's own entry excluded).
  std::vector<ControlRef> Controls(WindowId window) const;

 private:
  const WindowStack& windows_;
};

// The element of a control list, or the empty reference for an index outside it.
ControlRef ControlAt(const std::vector<ControlRef>& list, int index);
// Raises runtime error 5 at the given place unless the reference is of the expected type.
ControlRef RequireType(const ControlRef& control, ControlType expected, int first_place,
                       int second_place);

}  // namespace velmora
