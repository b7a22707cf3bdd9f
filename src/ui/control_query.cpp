#include "ui/control_query.h"

#include <array>
#include <string>
#include <unordered_map>

#include "runtime/fatal_error.h"

namespace velmora {

namespace {

// Looked up once per layout: the entry of each name.
struct LayoutIndex {
  std::unordered_map<std::string, int> by_name;
};

LayoutIndex BuildIndex(const WindowLayout& layout) {
  LayoutIndex index;
  // Entry 0 is the window itself, which FindControls never returns.
  for (std::size_t i = 1; i < layout.entries.size(); ++i) {
    index.by_name.emplace(layout.entries[i].name, static_cast<int>(i));
  }
  return index;
}

const LayoutIndex& IndexOf(WindowKind kind) {
  static const std::array<LayoutIndex, 2> kIndexes = {
      BuildIndex(GetWindowLayout(WindowKind::kMain)),
      BuildIndex(GetWindowLayout(WindowKind::kTimeDifference)),
  };
  return kIndexes[kind == WindowKind::kMain ? 0 : 1];
}

bool HasPrefix(std::string_view name, std::string_view prefix) {
  // Byte comparison suffices for GBK: decoding both from their first byte puts the character
  // boundaries of the compared part in the same places.
  return name.size() >= prefix.size() && name.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

std::vector<ControlRef> ControlQuery::FindControls(const ControlRef& window,
                                                   std::string_view pattern,
                                                   std::string_view type_name) const {
  std::vector<ControlRef> found;
  if (window.type != ControlType::kWindow || window.control != 0 ||
      !windows_.IsLoaded(window.window)) {
    return found;
  }
  const auto& entries = windows_.LayoutOf(window.window).entries;
  const LayoutIndex& index = IndexOf(windows_.KindOf(window.window));
  const auto keep = [&](int i) {
    const LayoutEntry& entry = entries[static_cast<std::size_t>(i)];
    if (type_name.empty() || TypeName(entry.type) == type_name) {
      found.push_back(ControlRef{entry.type, window.window, i});
    }
  };
  if (!pattern.empty() && pattern.front() == '@') {
    // Names are unique within a window: an exact name gives one entry at most.
    const auto named = index.by_name.find(std::string(pattern.substr(1)));
    if (named != index.by_name.end()) {
      keep(named->second);
    }
    return found;
  }
  for (int i = 1; i < static_cast<int>(entries.size()); ++i) {
    if (HasPrefix(entries[static_cast<std::size_t>(i)].name, pattern)) {
      keep(i);
    }
  }
  return found;
}

ControlRef ControlQuery::Find(WindowId window, std::string_view name) const {
  if (!windows_.IsLoaded(window)) {
    return ControlRef{};
  }
  const LayoutIndex& index = IndexOf(windows_.KindOf(window));
  const auto named = index.by_name.find(std::string(name));
  if (named == index.by_name.end()) {
    return ControlRef{};
  }
  const auto& entries = windows_.LayoutOf(window).entries;
  return ControlRef{entries[static_cast<std::size_t>(named->second)].type, window, named->second};
}

std::vector<ControlRef> ControlQuery::Controls(WindowId window) const {
  std::vector<ControlRef> controls;
  if (!windows_.IsLoaded(window)) {
    return controls;
  }
  const auto& entries = windows_.LayoutOf(window).entries;
  controls.reserve(entries.size());
  for (int i = 1; i < static_cast<int>(entries.size()); ++i) {
    controls.push_back(ControlRef{entries[static_cast<std::size_t>(i)].type, window, i});
  }
  return controls;
}

ControlRef ControlAt(const std::vector<ControlRef>& list, int index) {
  if (index < 0 || index >= static_cast<int>(list.size())) {
    return ControlRef{};
  }
  return list[static_cast<std::size_t>(index)];
}

ControlRef RequireType(const ControlRef& control, ControlType expected, int first_place,
                       int second_place) {
  if (control.type != expected) {
    ReportRuntimeError(kErrorTypeMismatch, first_place, second_place);
  }
  return control;
}

}  // namespace velmora
