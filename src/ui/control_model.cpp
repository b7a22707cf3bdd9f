#include "ui/control_model.h"

#include <utility>

#include "ui/control_model_impl.h"

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

ControlState InitialState(const LayoutEntry& entry, DateTime now) {
  ControlState state;
  state.text = entry.text;
  state.visible = (entry.flags & kFlagVisible) != 0;
  state.checked = entry.type == ControlType::kCheckBox && (entry.style & kStyleTicked) != 0;
  if (entry.type == ControlType::kComboBox) {
    for (const std::string& item : entry.items) {
      state.items.Add(item);
    }
    state.items.SetSelection(entry.selection);
  }
  if (entry.type == ControlType::kDatePicker) {
    state.date = now;
  }
  return state;
}

}  // namespace

// ---- Impl ----

const WindowState* ControlModel::Impl::FindWindow(WindowId window) const {
  const auto found = windows.find(window);
  return found == windows.end() ? nullptr : &found->second;
}

WindowState* ControlModel::Impl::FindWindow(WindowId window) {
  const auto found = windows.find(window);
  return found == windows.end() ? nullptr : &found->second;
}

const ControlState& ControlModel::Impl::Live(const ControlRef& control, Access access) const {
  const WindowState* window = FindWindow(control.window);
  if (window == nullptr || !window->loaded) {
    ReportFatalText("未载入欲访问窗口组件所在的窗口", PlaceOf(control));
  }
  if (control.control < 0 || control.control >= static_cast<int>(window->controls.size())) {
    ReportFatalText(access == Access::kRead ? "读取组件属性时发现指定窗口尚未载入"
                                            : "修改组件属性时发现指定窗口尚未载入",
                    PlaceOf(control));
  }
  return window->controls[static_cast<std::size_t>(control.control)];
}

ControlState& ControlModel::Impl::Live(const ControlRef& control, Access access) {
  return const_cast<ControlState&>(std::as_const(*this).Live(control, access));
}

const ControlState& ControlModel::Impl::Current(const ControlRef& control) const {
  const ControlState& state = Live(control, Access::kRead);
  if (state.pending_text) {
    // Reading takes the typed text over once; the view is not told, it holds the text already.
    auto& typed = const_cast<ControlState&>(state);
    typed.text = std::exchange(typed.pending_text, nullptr)();
  }
  return state;
}

const LayoutEntry& ControlModel::Impl::EntryOf(const ControlRef& control) const {
  const WindowState* window = FindWindow(control.window);
  if (window == nullptr || control.control < 0 ||
      control.control >= static_cast<int>(window->layout->entries.size())) {
    return NoEntry();
  }
  return window->layout->entries[static_cast<std::size_t>(control.control)];
}

FaultPlace ControlModel::Impl::PlaceOf(const ControlRef& control) const {
  FaultPlace place;
  place.first = control.window;
  place.second = control.control;
  place.names_window = true;
  const WindowState* window = FindWindow(control.window);
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

void ControlModel::Impl::Notify(const ControlRef& control, Property property) const {
  if (observer != nullptr) {
    observer->PropertyChanged(control, property);
  }
}

void ControlModel::Impl::NotifyItems(const ControlRef& control, const ItemChange& change) const {
  if (observer != nullptr) {
    observer->ItemsChanged(control, change);
  }
}

void ControlModel::Impl::Raise(WindowId window, int control, int event) const {
  const WindowState* state = FindWindow(window);
  if (state == nullptr || !state->loaded || control < 0 ||
      control >= static_cast<int>(state->layout->entries.size())) {
    return;
  }
  for (const EventBinding& binding :
       state->layout->entries[static_cast<std::size_t>(control)].events) {
    if (binding.event != event) {
      continue;
    }
    const auto found = handlers.find(binding.handler);
    if (found != handlers.end() && found->second) {
      // A copy: the handler may rebind handlers while it runs.
      const Handler handler = found->second;
      handler(binding.argument);
    }
    return;
  }
}

// ---- windows ----

ControlModel::ControlModel(const Clock& clock) : impl_(std::make_unique<Impl>(clock)) {}

ControlModel::~ControlModel() = default;

void ControlModel::SetHandler(HandlerId id, Handler handler) {
  impl_->handlers[id] = std::move(handler);
}

void ControlModel::SetObserver(ModelObserver* observer) { impl_->observer = observer; }

void ControlModel::SetModalHost(ModalHost* host) { impl_->modal_host = host; }

WindowId ControlModel::LoadWindow(WindowKind kind, bool modal) {
  // Loading a window that is already loaded only brings it forward.
  for (const auto& [id, window] : impl_->windows) {
    if (window.loaded && window.kind == kind) {
      return id;
    }
  }
  const WindowId id = impl_->next_id++;
  // std::map keeps this reference valid while handlers load further windows.
  WindowState& window = impl_->windows[id];
  window.kind = kind;
  window.layout = &GetWindowLayout(kind);
  window.modal = modal;
  const DateTime now = impl_->clock.Now();
  window.controls.reserve(window.layout->entries.size());
  for (const LayoutEntry& entry : window.layout->entries) {
    window.controls.push_back(InitialState(entry, now));
  }
  // Loaded from here on: the `created` handler reads and writes the controls.
  window.loaded = true;
  if (impl_->observer != nullptr) {
    impl_->observer->WindowCreated(id);
  }
  impl_->Raise(id, 0, kEventCreated);
  if (!window.loaded) {
    return id;  // the handler closed it
  }
  if (modal) {
    for (auto& [other_id, other] : impl_->windows) {
      if (other_id != id && other.loaded && other.disabled_count == 0) {
        ++other.disabled_count;
        window.disabled_windows.push_back(other_id);
      }
    }
  }
  window.shown = (window.layout->entries.front().flags & kFlagVisible) != 0;
  if (impl_->observer != nullptr) {
    impl_->observer->WindowShown(id);
  }
  if (modal && impl_->modal_host != nullptr) {
    impl_->modal_host->RunModal(id);
  }
  return id;
}

bool ControlModel::IsLoaded(WindowId window) const {
  const WindowState* state = impl_->FindWindow(window);
  return state != nullptr && state->loaded;
}

bool ControlModel::WindowEnabled(WindowId window) const {
  const WindowState* state = impl_->FindWindow(window);
  return state != nullptr && state->loaded && state->disabled_count == 0;
}

WindowKind ControlModel::KindOf(WindowId window) const {
  const WindowState* state = impl_->FindWindow(window);
  return state == nullptr ? WindowKind::kMain : state->kind;
}

const WindowLayout& ControlModel::LayoutOf(WindowId window) const {
  const WindowState* state = impl_->FindWindow(window);
  return state == nullptr ? NoLayout() : *state->layout;
}

WindowId ControlModel::ActiveWindow() const {
  WindowId main_window = 0;
  WindowId newest = 0;
  for (auto it = impl_->windows.rbegin(); it != impl_->windows.rend(); ++it) {
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

ControlRef ControlModel::WindowRef(WindowId window) const {
  return ControlRef{ControlType::kWindow, window, 0};
}

bool ControlModel::Finished() const { return impl_->finished; }

int ControlModel::ExitCode() const { return 0; }

void ControlModel::UserClose(WindowId window) {
  WindowState* state = impl_->FindWindow(window);
  // A window kept from input by a modal window cannot be closed; a window being destroyed is
  // not destroyed a second time from its own handler.
  if (state == nullptr || !state->loaded || state->closing || state->disabled_count > 0) {
    return;
  }
  state->closing = true;
  for (const WindowId disabled : state->disabled_windows) {
    if (WindowState* other = impl_->FindWindow(disabled); other != nullptr) {
      --other->disabled_count;
    }
  }
  state->disabled_windows.clear();
  impl_->Raise(window, 0, kEventAboutToBeDestroyed);
  state->loaded = false;
  state->shown = false;
  state->closing = false;
  state->controls.clear();
  state->controls.shrink_to_fit();
  if (impl_->observer != nullptr) {
    impl_->observer->WindowClosed(window);
  }
  for (const auto& [id, other] : impl_->windows) {
    if (other.loaded) {
      return;
    }
  }
  impl_->finished = true;
}

// ---- properties ----

std::string ControlModel::Name(const ControlRef& control) const {
  return impl_->EntryOf(control).name;
}

std::string ControlModel::Mark(const ControlRef& control) const {
  impl_->Live(control, Access::kRead);
  return impl_->EntryOf(control).mark;
}

const LayoutEntry& ControlModel::Entry(const ControlRef& control) const {
  return impl_->EntryOf(control);
}

bool ControlModel::Visible(const ControlRef& control) const {
  return impl_->Live(control, Access::kRead).visible;
}

void ControlModel::SetVisible(const ControlRef& control, bool visible) {
  impl_->Live(control, Access::kWrite).visible = visible;
  impl_->Notify(control, Property::kVisible);
}

bool ControlModel::OnScreen(const ControlRef& control) const {
  impl_->Live(control, Access::kRead);
  const WindowState& window = *impl_->FindWindow(control.window);
  if (!window.shown || window.disabled_count > 0) {
    return false;
  }
  const auto& entries = window.layout->entries;
  int index = control.control;
  // The step limit guards against a parent chain that loops.
  for (std::size_t steps = 0; index != 0 && steps < entries.size(); ++steps) {
    const LayoutEntry& entry = entries[static_cast<std::size_t>(index)];
    const ControlState& state = window.controls[static_cast<std::size_t>(index)];
    if (!state.visible || (entry.flags & kFlagDisabled) != 0) {
      return false;
    }
    const int parent = entry.parent;
    if (parent < 0 || parent >= static_cast<int>(entries.size())) {
      return false;
    }
    if (entries[static_cast<std::size_t>(parent)].type == ControlType::kTab &&
        window.controls[static_cast<std::size_t>(parent)].page != entry.page) {
      return false;
    }
    index = parent;
  }
  return index == 0;
}

bool ControlModel::Enabled(const ControlRef& control) const {
  impl_->Live(control, Access::kRead);
  return (impl_->EntryOf(control).flags & kFlagDisabled) == 0;
}

std::string ControlModel::Caption(const ControlRef& control) const {
  return impl_->Current(control).text;
}

void ControlModel::SetCaption(const ControlRef& control, std::string_view caption) {
  // An edit box's caption is its text, whose write raises `content changed`.
  if (impl_->EntryOf(control).type == ControlType::kEditBox) {
    SetText(control, caption);
    return;
  }
  ControlState& state = impl_->Live(control, Access::kWrite);
  state.text = caption;
  state.pending_text = nullptr;
  impl_->Notify(control, Property::kCaption);
}

bool ControlModel::Checked(const ControlRef& control) const {
  return impl_->Live(control, Access::kRead).checked;
}

void ControlModel::SetChecked(const ControlRef& control, bool checked) {
  ControlState& state = impl_->Live(control, Access::kWrite);
  if (impl_->EntryOf(control).type != ControlType::kCheckBox) {
    return;
  }
  state.checked = checked;
  impl_->Notify(control, Property::kChecked);
}

std::string ControlModel::Text(const ControlRef& control) const {
  const ControlState& state = impl_->Current(control);
  if (impl_->EntryOf(control).type == ControlType::kComboBox) {
    return state.items.Text();
  }
  return state.text;
}

void ControlModel::SetText(const ControlRef& control, std::string_view text) {
  ControlState& state = impl_->Live(control, Access::kWrite);
  switch (impl_->EntryOf(control).type) {
    case ControlType::kEditBox:
      state.text = text;
      state.pending_text = nullptr;
      impl_->Notify(control, Property::kText);
      // Once, explicitly, after the new text is in place; also when it did not change.
      impl_->Raise(control.window, control.control, kEventContentChanged);
      return;
    case ControlType::kComboBox:
      // A drop-down list always shows its selected entry: the write is only stored.
      state.items.SetText(text);
      impl_->Notify(control, Property::kText);
      return;
    default:
      SetCaption(control, text);
      return;
  }
}

int ControlModel::Selection(const ControlRef& control) const {
  const ControlState& state = impl_->Live(control, Access::kRead);
  const ControlType type = impl_->EntryOf(control).type;
  if (type == ControlType::kComboBox || type == ControlType::kListBox) {
    return state.items.Selection();
  }
  return -1;
}

void ControlModel::SetSelection(const ControlRef& control, int index) {
  ControlState& state = impl_->Live(control, Access::kWrite);
  switch (impl_->EntryOf(control).type) {
    case ControlType::kComboBox:
      state.items.SetSelection(index);
      break;
    case ControlType::kListBox:
      // A list box selects nothing for an index that names no entry.
      state.items.SetSelection(index >= 0 && index < state.items.Count() ? index : -1);
      break;
    default:
      return;
  }
  impl_->Notify(control, Property::kSelection);
}

int ControlModel::Page(const ControlRef& control) const {
  return impl_->Live(control, Access::kRead).page;
}

DateTime ControlModel::Date(const ControlRef& control) const {
  return impl_->Live(control, Access::kRead).date;
}

void ControlModel::SetVisualStyle(int style_number) {
  impl_->visual_style = style_number;
  if (impl_->observer != nullptr) {
    impl_->observer->VisualStyleChanged(style_number);
  }
}

int ControlModel::VisualStyle() const { return impl_->visual_style; }

// ---- user actions ----

void ControlModel::UserClick(const ControlRef& button) {
  impl_->Live(button, Access::kRead);
  impl_->Raise(button.window, button.control, kEventClicked);
}

void ControlModel::UserToggle(const ControlRef& check_box) {
  ControlState& state = impl_->Live(check_box, Access::kWrite);
  if (impl_->EntryOf(check_box).type != ControlType::kCheckBox) {
    return;
  }
  state.checked = !state.checked;
  impl_->Notify(check_box, Property::kChecked);
  impl_->Raise(check_box.window, check_box.control, kEventClicked);
}

void ControlModel::UserReplaceText(const ControlRef& edit_box, std::string_view text) {
  SetText(edit_box, text);
}

void ControlModel::UserEditText(const ControlRef& edit_box,
                                std::function<std::string()> read_text) {
  ControlState& state = impl_->Live(edit_box, Access::kWrite);
  if (impl_->EntryOf(edit_box).type != ControlType::kEditBox) {
    return;
  }
  state.pending_text = std::move(read_text);
  impl_->Raise(edit_box.window, edit_box.control, kEventContentChanged);
}

void ControlModel::UserPickEntry(const ControlRef& combo_box, int index) {
  ControlState& state = impl_->Live(combo_box, Access::kWrite);
  if (impl_->EntryOf(combo_box).type != ControlType::kComboBox || index < 0 ||
      index >= state.items.Count()) {
    return;
  }
  state.items.SetSelection(index);
  impl_->Notify(combo_box, Property::kSelection);
  // The choice is in place before `list item selected` runs.
  impl_->Raise(combo_box.window, combo_box.control, kEventListItemSelected);
}

void ControlModel::UserSelectListItem(const ControlRef& list_box, int index) {
  if (impl_->EntryOf(list_box).type == ControlType::kListBox) {
    SetSelection(list_box, index);
  } else {
    impl_->Live(list_box, Access::kWrite);
  }
}

void ControlModel::UserSelectPage(const ControlRef& tab, int page) {
  ControlState& state = impl_->Live(tab, Access::kWrite);
  const LayoutEntry& entry = impl_->EntryOf(tab);
  if (entry.type != ControlType::kTab || page < 0 || page >= static_cast<int>(entry.items.size())) {
    return;
  }
  state.page = page;
  impl_->Notify(tab, Property::kPage);
}

void ControlModel::UserPickDate(const ControlRef& date_box, DateTime value) {
  ControlState& state = impl_->Live(date_box, Access::kWrite);
  if (impl_->EntryOf(date_box).type != ControlType::kDatePicker) {
    return;
  }
  state.date = ClampDateTime(value);
  impl_->Notify(date_box, Property::kDate);
}

// ---- control lists ----

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
