#include "ui/control_store.h"

#include <optional>
#include <utility>

namespace velmora {

ControlStore::ControlState ControlStore::InitialState(const LayoutEntry& entry, DateTime now) {
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

void ControlStore::Create(WindowId window, const Clock& clock) {
  const auto& entries = windows_.LayoutOf(window).entries;
  std::vector<ControlState>& controls = controls_[window];
  controls.reserve(entries.size());
  std::optional<DateTime> now;
  for (const LayoutEntry& entry : entries) {
    if (entry.type == ControlType::kDatePicker && !now) now = clock.Now();
    controls.push_back(InitialState(entry, now.value_or(0.0)));
  }
}

void ControlStore::Destroy(WindowId window) { controls_.erase(window); }

const ControlStore::ControlState& ControlStore::Live(const ControlRef& control,
                                                     Access access) const {
  const auto window = controls_.find(control.window);
  if (window == controls_.end()) {
    ReportFatalText("未载入欲访问窗口组件所在的窗口", windows_.PlaceOf(control));
  }
  const std::vector<ControlState>& controls = window->second;
  if (control.control < 0 || control.control >= static_cast<int>(controls.size())) {
    ReportFatalText(access == Access::kRead ? "读取组件属性时发现指定窗口尚未载入"
                                            : "修改组件属性时发现指定窗口尚未载入",
                    windows_.PlaceOf(control));
  }
  return controls[static_cast<std::size_t>(control.control)];
}

ControlStore::ControlState& ControlStore::Live(const ControlRef& control, Access access) {
  return const_cast<ControlState&>(std::as_const(*this).Live(control, access));
}

const ControlStore::ControlState& ControlStore::Current(const ControlRef& control) const {
  const ControlState& state = Live(control, Access::kRead);
  if (state.pending_text) {
    // Reading takes the typed text over once; the view is not told, it holds the text already.
    auto& typed = const_cast<ControlState&>(state);
    typed.text = std::exchange(typed.pending_text, nullptr)();
  }
  return state;
}

std::string ControlStore::Mark(const ControlRef& control) const {
  Live(control, Access::kRead);
  return windows_.Entry(control).mark;
}

bool ControlStore::Visible(const ControlRef& control) const {
  return Live(control, Access::kRead).visible;
}

void ControlStore::SetVisible(const ControlRef& control, bool visible) {
  Live(control, Access::kWrite).visible = visible;
  events_.Notify(control, Property::kVisible);
}

bool ControlStore::OnScreen(const ControlRef& control) const {
  Live(control, Access::kRead);
  return windows_.Shown(control.window) && windows_.WindowEnabled(control.window) &&
         HoldersAllow(control, true);
}

bool ControlStore::OnSelectedPages(const ControlRef& control) const {
  Live(control, Access::kRead);
  return HoldersAllow(control, false);
}

bool ControlStore::HoldersAllow(const ControlRef& control, bool need_shown) const {
  const auto& entries = windows_.LayoutOf(control.window).entries;
  const std::vector<ControlState>& controls = controls_.at(control.window);
  int index = control.control;
  // The step limit guards against a parent chain that loops.
  for (std::size_t steps = 0; index != 0 && steps < entries.size(); ++steps) {
    const LayoutEntry& entry = entries[static_cast<std::size_t>(index)];
    if (need_shown && (!controls[static_cast<std::size_t>(index)].visible ||
                       (entry.flags & kFlagDisabled) != 0)) {
      return false;
    }
    const int parent = entry.parent;
    if (parent < 0 || parent >= static_cast<int>(entries.size())) {
      return false;
    }
    if (entries[static_cast<std::size_t>(parent)].type == ControlType::kTab &&
        controls[static_cast<std::size_t>(parent)].page != entry.page) {
      return false;
    }
    index = parent;
  }
  return index == 0;
}

bool ControlStore::Enabled(const ControlRef& control) const {
  Live(control, Access::kRead);
  return (windows_.Entry(control).flags & kFlagDisabled) == 0;
}

std::string ControlStore::Caption(const ControlRef& control) const { return Current(control).text; }

void ControlStore::SetCaption(const ControlRef& control, std::string_view caption) {
  // An edit box's caption is its text, whose write raises `content changed`.
  if (TypeOf(control) == ControlType::kEditBox) {
    TakeText(control, std::string(caption));
    return;
  }
  ControlState& state = Live(control, Access::kWrite);
  state.text = caption;
  state.pending_text = nullptr;
  events_.Notify(control, Property::kCaption);
}

bool ControlStore::Checked(const ControlRef& control) const {
  return Live(control, Access::kRead).checked;
}

void ControlStore::SetChecked(const ControlRef& control, bool checked) {
  ControlState& state = Live(control, Access::kWrite);
  if (TypeOf(control) != ControlType::kCheckBox) {
    return;
  }
  state.checked = checked;
  events_.Notify(control, Property::kChecked);
}

void ControlStore::UserToggle(const ControlRef& check_box) {
  ControlState& state = Live(check_box, Access::kWrite);
  if (TypeOf(check_box) != ControlType::kCheckBox) {
    return;
  }
  state.checked = !state.checked;
  events_.Notify(check_box, Property::kChecked);
  events_.Raise(check_box, kEventClicked);
}

std::string ControlStore::Text(const ControlRef& control) const {
  return std::string(TextView(control));
}

std::string_view ControlStore::TextView(const ControlRef& control) const {
  const ControlState& state = Current(control);
  if (TypeOf(control) == ControlType::kComboBox) {
    return state.items.TextView();
  }
  return state.text;
}

void ControlStore::SetText(const ControlRef& control, std::string_view text) {
  TakeText(control, std::string(text));
}

void ControlStore::TakeText(const ControlRef& control, std::string&& text) {
  ControlState& state = Live(control, Access::kWrite);
  switch (TypeOf(control)) {
    case ControlType::kEditBox:
      // Swapped rather than assigned: a short text assigned over a long one would keep the
      // long one's memory.
      state.text.swap(text);
      state.pending_text = nullptr;
      events_.Notify(control, Property::kText);
      // Once, explicitly, after the new text is in place; also when it did not change.
      events_.Raise(control, kEventContentChanged);
      return;
    case ControlType::kComboBox:
      // A drop-down list always shows its selected entry: the written text has nowhere to go.
      events_.Notify(control, Property::kText);
      return;
    default:
      SetCaption(control, text);
      return;
  }
}

void ControlStore::UserReplaceText(const ControlRef& edit_box, std::string_view text) {
  SetText(edit_box, text);
}

void ControlStore::UserEditText(const ControlRef& edit_box,
                                std::function<std::string()> read_text) {
  ControlState& state = Live(edit_box, Access::kWrite);
  if (TypeOf(edit_box) != ControlType::kEditBox) {
    return;
  }
  state.pending_text = std::move(read_text);
  events_.Raise(edit_box, kEventContentChanged);
}

int ControlStore::Selection(const ControlRef& control) const {
  const ControlState& state = Live(control, Access::kRead);
  const ControlType type = TypeOf(control);
  if (type == ControlType::kComboBox || type == ControlType::kListBox) {
    return state.items.Selection();
  }
  return -1;
}

void ControlStore::SetSelection(const ControlRef& control, int index) {
  ControlState& state = Live(control, Access::kWrite);
  switch (TypeOf(control)) {
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
  events_.Notify(control, Property::kSelection);
}

void ControlStore::UserPickEntry(const ControlRef& combo_box, int index) {
  ControlState& state = Live(combo_box, Access::kWrite);
  if (TypeOf(combo_box) != ControlType::kComboBox || index < 0 || index >= state.items.Count()) {
    return;
  }
  state.items.SetSelection(index);
  events_.Notify(combo_box, Property::kSelection);
  // The choice is in place before `list item selected` runs.
  events_.Raise(combo_box, kEventListItemSelected);
}

void ControlStore::UserSelectListItem(const ControlRef& list_box, int index) {
  if (TypeOf(list_box) == ControlType::kListBox) {
    SetSelection(list_box, index);
  } else {
    Live(list_box, Access::kWrite);
  }
}

int ControlStore::Page(const ControlRef& control) const {
  return Live(control, Access::kRead).page;
}

void ControlStore::UserSelectPage(const ControlRef& tab, int page) {
  ControlState& state = Live(tab, Access::kWrite);
  const LayoutEntry& entry = windows_.Entry(tab);
  if (entry.type != ControlType::kTab || page < 0 || page >= static_cast<int>(entry.items.size())) {
    return;
  }
  state.page = page;
  events_.Notify(tab, Property::kPage);
}

DateTime ControlStore::Date(const ControlRef& control) const {
  return Live(control, Access::kRead).date;
}

void ControlStore::UserPickDate(const ControlRef& date_box, DateTime value) {
  ControlState& state = Live(date_box, Access::kWrite);
  if (TypeOf(date_box) != ControlType::kDatePicker) {
    return;
  }
  state.date = ClampDateTime(value);
  events_.Notify(date_box, Property::kDate);
}

void ControlStore::UserClick(const ControlRef& button) const {
  Live(button, Access::kRead);
  events_.Raise(button, kEventClicked);
}

}  // namespace velmora
