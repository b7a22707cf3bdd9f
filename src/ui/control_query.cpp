#include "ui/control_query.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <unordered_map>

#include "runtime/fatal_error.h"

namespace velmora {

namespace {

// Looked up once per layout: the entry of each name and the number each mark reads as.
struct LayoutIndex {
  std::unordered_map<std::string, int> by_name;
  std::vector<std::int64_t> marks;
};

LayoutIndex BuildIndex(const WindowLayout& layout) {
  LayoutIndex index;
  index.marks.reserve(layout.entries.size());
  for (std::size_t i = 0; i < layout.entries.size(); ++i) {
    const LayoutEntry& entry = layout.entries[i];
    index.marks.push_back(MarkNumber(entry.mark));
    if (i != 0) {
      index.by_name.emplace(entry.name, static_cast<int>(i));
    }
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

std::int64_t MarkNumber(std::string_view mark) {
  std::size_t at = 0;
  while (at < mark.size() && (mark[at] == ' ' || mark[at] == '\t')) {
    ++at;
  }
  bool negative = false;
  if (at < mark.size() && (mark[at] == '+' || mark[at] == '-')) {
    negative = mark[at] == '-';
    ++at;
  }
  constexpr std::int64_t kLimit = std::int64_t{INT32_MAX} + 1;
  std::int64_t value = 0;
  for (; at < mark.size() && mark[at] >= '0' && mark[at] <= '9'; ++at) {
    value = value * 10 + (mark[at] - '0');
    if (value > kLimit) {
      value = kLimit;
    }
  }
  return negative ? -value : std::min<std::int64_t>(value, INT32_MAX);
}

std::vector<ControlRef> ControlQuery::FindControls(const ControlRef& window,
                                                   std::string_view pattern,
                                                   std::string_view type_name,
                                                   std::int64_t lowest_mark,
                                                   std::int64_t highest_mark) const {
  std::vector<ControlRef> found;
  if (window.type != ControlType::kWindow || window.control != 0 ||
      !windows_.IsLoaded(window.window)) {
    return found;
  }
  const auto& entries = windows_.LayoutOf(window.window).entries;
  const LayoutIndex& index = IndexOf(windows_.KindOf(window.window));
  const auto keep = [&](int i) {
    const LayoutEntry& entry = entries[static_cast<std::size_t>(i)];
    const std::int64_t mark = index.marks[static_cast<std::size_t>(i)];
    if ((type_name.empty() || TypeName(entry.type) == type_name) && mark >= lowest_mark &&
        mark <= highest_mark) {
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
