#pragma once

// Assembles a window layout in control order. Parents are given by name, as the layout tables
// name them, and resolved to entry indices once all entries exist: a parent often comes later
// in control order than its children.

#include <string>
#include <string_view>
#include <vector>

#include "ui/layout.h"

namespace velmora {

// A control's entry without parent and page; those come from LayoutBuilder::Add.
LayoutEntry MakeEntry(ControlType type, std::string name, int left, int top, int width, int height,
                      unsigned flags, std::string text = {}, std::string mark = {});

class LayoutBuilder {
 public:
  LayoutBuilder(WindowKind kind, LayoutEntry window);

  // parent: the parent's name, empty for the window; page: 0-based page when the parent is a
  // tab control, otherwise -1.
  LayoutEntry& Add(LayoutEntry entry, std::string_view parent = {}, int page = -1);

  // Resolves the parent names. A name that names no entry falls back to the window.
  WindowLayout Finish();

 private:
  WindowLayout layout_;
  std::vector<std::string> parents_;  // one per entry, entry 0's is empty
};

// The two windows; built once each by GetWindowLayout.
WindowLayout BuildMainWindowLayout();
WindowLayout BuildTimeDifferenceLayout();

}  // namespace velmora
