#include <algorithm>
#include <array>
#include <cstdint>
#include <string>

#include "ui/control_model.h"
#include "ui/control_model_impl.h"

namespace velmora {

namespace {

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

bool HasPrefix(std::string_view name, std::string_view prefix) {
  // Byte comparison suffices for GBK: decoding both from their first byte puts the character
  // boundaries of the compared part in the same places.
  return name.size() >= prefix.size() && name.compare(0, prefix.size(), prefix) == 0;
}

}  // namespace

const LayoutIndex& IndexOf(WindowKind kind) {
  static const std::array<LayoutIndex, 2> kIndexes = {
      BuildIndex(GetWindowLayout(WindowKind::kMain)),
      BuildIndex(GetWindowLayout(WindowKind::kTimeDifference)),
  };
  return kIndexes[kind == WindowKind::kMain ? 0 : 1];
}

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

std::vector<ControlRef> ControlModel::FindControls(const ControlRef& window,
                                                   std::string_view pattern,
                                                   std::string_view type_name,
                                                   std::int64_t lowest_mark,
                                                   std::int64_t highest_mark) const {
  std::vector<ControlRef> found;
  if (window.type != ControlType::kWindow || window.control != 0) {
    return found;
  }
  const WindowState* state = impl_->FindWindow(window.window);
  if (state == nullptr || !state->loaded) {
    return found;
  }
  const auto& entries = state->layout->entries;
  const LayoutIndex& index = IndexOf(state->kind);
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

ControlRef ControlModel::Find(WindowId window, std::string_view name) const {
  const WindowState* state = impl_->FindWindow(window);
  if (state == nullptr || !state->loaded) {
    return ControlRef{};
  }
  const LayoutIndex& index = IndexOf(state->kind);
  const auto named = index.by_name.find(std::string(name));
  if (named == index.by_name.end()) {
    return ControlRef{};
  }
  return ControlRef{state->layout->entries[static_cast<std::size_t>(named->second)].type, window,
                    named->second};
}

std::vector<ControlRef> ControlModel::Controls(WindowId window) const {
  std::vector<ControlRef> controls;
  const WindowState* state = impl_->FindWindow(window);
  if (state == nullptr || !state->loaded) {
    return controls;
  }
  const auto& entries = state->layout->entries;
  controls.reserve(entries.size());
  for (int i = 1; i < static_cast<int>(entries.size()); ++i) {
    controls.push_back(ControlRef{entries[static_cast<std::size_t>(i)].type, window, i});
  }
  return controls;
}

}  // namespace velmora
