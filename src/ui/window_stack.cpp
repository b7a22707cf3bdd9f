#include "ui/window_stack.h"

namespace velmora {

namespace {

const WindowLayout& NoLayout() {
  static const WindowLayout layout;
  return layout;
}

const LayoutEntry& NoEntry() {
  static const LayoutEntry entry;
  return entry;
}

}  // namespace

const WindowStack::Window* WindowStack::Find(WindowId window) const {
  const auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

WindowStack::Window* WindowStack::Find(WindowId window) {
  const auto found = windows_.find(window);
  return found == windows_.end() ? nullptr : &found->second;
}

WindowId WindowStack::LoadedOfKind(WindowKind kind) const {
  for (const auto& [id, window] : windows_) {
    if (window.loaded && window.kind == kind) {
      return id;
    }
  }
  return 0;
}

WindowId WindowStack::Open(WindowKind kind, bool modal) {
  const WindowId id = next_id_++;
  Window& window = windows_[id];
  window.kind = kind;
  window.layout = &GetWindowLayout(kind);
  window.modal = modal;
  window.loaded = true;
  return id;
}

void WindowStack::DisableOthers(WindowId window) {
  Window& modal = *Find(window);
  for (auto& [other_id, other] : windows_) {
    if (other_id != window && other.loaded && other.disabled_count == 0) {
      ++other.disabled_count;
      modal.disabled_windows.push_back(other_id);
    }
  }
}

void WindowStack::Show(WindowId window) {
  Window& state = *Find(window);
  state.shown = (state.layout->entries.front().flags & kFlagVisible) != 0;
}

bool WindowStack::BeginClose(WindowId window) {
  Window* state = Find(window);
  if (state == nullptr || !state->loaded || state->closing || state->disabled_count > 0) {
    return false;
  }
  state->closing = true;
  for (const WindowId disabled : state->disabled_windows) {
    if (Window* other = Find(disabled); other != nullptr) {
      --other->disabled_count;
    }
  }
  state->disabled_windows.clear();
  return true;
}

void WindowStack::FinishClose(WindowId window) {
  Window& state = *Find(window);
  state.loaded = false;
  state.shown = false;
  state.closing = false;
}

void WindowStack::NoteClosed() {
  for (const auto& [id, window] : windows_) {
    if (window.loaded) {
      return;
    }
  }
  finished_ = true;
}

bool WindowStack::IsLoaded(WindowId window) const {
  const Window* state = Find(window);
  return state != nullptr && state->loaded;
}

bool WindowStack::Shown(WindowId window) const {
  const Window* state = Find(window);
  return state != nullptr && state->shown;
}

bool WindowStack::WindowEnabled(WindowId window) const {
  const Window* state = Find(window);
  return state != nullptr && state->loaded && state->disabled_count == 0;
}

WindowKind WindowStack::KindOf(WindowId window) const {
  const Window* state = Find(window);
  return state == nullptr ? WindowKind::kMain : state->kind;
}

const WindowLayout& WindowStack::LayoutOf(WindowId window) const {
  const Window* state = Find(window);
  return state == nullptr ? NoLayout() : *state->layout;
}

WindowId WindowStack::ActiveWindow() const {
  WindowId main_window = 0;
  WindowId newest = 0;
  for (auto it = windows_.rbegin(); it != windows_.rend(); ++it) {
    const auto& [id, window] = *it;
    if (!window.loaded) {
      continue;
    }
    if (window.modal) {
      return id;
    }
    if (main_window == 0 && window.kind == WindowKind::kMain) {
      main_window = id;
    }
    if (newest == 0) {
      newest = id;
    }
  }
  return main_window != 0 ? main_window : newest;
}

const LayoutEntry& WindowStack::Entry(const ControlRef& control) const {
  const auto& entries = LayoutOf(control.window).entries;
  if (control.control < 0 || control.control >= static_cast<int>(entries.size())) {
    return NoEntry();
  }
  return entries[static_cast<std::size_t>(control.control)];
}

std::string WindowStack::Name(const ControlRef& control) const { return Entry(control).name; }

FaultPlace WindowStack::PlaceOf(const ControlRef& control) const {
  FaultPlace place;
  place.first = control.window;
  place.second = control.control;
  place.names_window = true;
  const Window* window = Find(control.window);
  if (window != nullptr) {
    const auto& entries = window->layout->entries;
    place.window_found = true;
    place.window_mark = entries.front().mark;
    if (control.control >= 0 && control.control < static_cast<int>(entries.size())) {
      place.control_found = true;
      place.control_mark = entries[static_cast<std::size_t>(control.control)].mark;
    }
  }
  return place;
}

}  // namespace velmora
