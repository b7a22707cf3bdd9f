#pragma once

// Finding the controls of a loaded window by name, name prefix and type name, and taking
// one from the list found (ControlAt, RequireType).

#include <string_view>
#include <vector>

#include "ui/control_model.h"
#include "ui/window_stack.h"

namespace velmora {

class ControlQuery {
 public:
  explicit ControlQuery(const WindowStack& windows) : windows_(windows) {}

  std::vector<ControlRef> FindControls(const ControlRef& window, std::string_view pattern,
                                       std::string_view type_name) const;
  ControlRef Find(WindowId window, std::string_view name) const;
  std::vector<ControlRef> Controls(WindowId window) const;

 private:
  const WindowStack& windows_;
};

}  // namespace velmora
