#pragma once

// A native front end gives each control window the ID of its layout entry, so that a program
// outside the process (a test driver) finds a control by its name through the same layout
// table.

#include <string_view>

#include "ui/layout.h"

namespace velmora {

inline constexpr int kFirstControlId = 1000;

constexpr int ControlIdOf(int entry_index) { return kFirstControlId + entry_index; }

// The index of the entry named `name` (GBK) in `layout`, or -1 when it has none.
inline int FindLayoutEntry(const WindowLayout& layout, std::string_view name) {
  for (std::size_t i = 0; i < layout.entries.size(); ++i) {
    if (layout.entries[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace velmora
