#pragma once

// Finding the controls of a loaded window by name, name prefix, type name and mark, and taking
// one from the list found (ControlAt, RequireType).

#include <cstdint>
#include <string_view>
#include <vector>

#include "ui/control_model.h"
#include "ui/window_stack.h"

namespace velmora {

class ControlQuery {
 public:
  explicit ControlQuery(const WindowStack& windows) : windows_(windows) {}

  std::vector<ControlRef> FindControls(const ControlRef& window, std::string_view pattern,
                                       std::string_view type_name, std::int64_t lowest_mark,
                                       std::int64_t highest_mark) const;
  ControlRef Find(WindowId window, std::string_view name) const;
  std::vector<ControlRef> Controls(WindowId window) const;

 private:
  const WindowStack& windows_;
};

// A mark read as a decimal integer: optional blanks and sign, then digits up to the first
// other character; no digits read as 0. Saturates at the 32-bit limits.
std::int64_t MarkNumber(std::string_view mark);

}  // namespace velmora
