#include "ui/model_view.h"

#include <algorithm>
#include <utility>

namespace velmora {
namespace {

// Bridge objects have layout entries but no native control.
bool HasNativeControl(ControlType type) {
  return type != ControlType::kWindow && type != ControlType::kWordApp &&
         type != ControlType::kWordDocuments;
}

// The properties set on a control after it is created, since creation cannot pass them.
std::vector<Property> StateProperties(ControlType type) {
  switch (type) {
    case ControlType::kCheckBox:
      return {Property::kChecked};
    case ControlType::kComboBox:
    case ControlType::kListBox:
      return {Property::kItems};
    case ControlType::kTab:
      return {Property::kPage};
    case ControlType::kDatePicker:
      return {Property::kDate};
    default:
      return {};
  }
}

// The text a control is created with: its caption, or the content of an edit box.
std::string ShownText(const ControlModel& model, const ControlRef& control) {
  switch (control.type) {
    case ControlType::kEditBox:
      return model.Text(control);
    case ControlType::kGroupBox:
    case ControlType::kLabel:
    case ControlType::kButton:
    case ControlType::kCheckBox:
      return model.Caption(control);
    default:
      return {};
  }
}

ControlRef RefOf(const WindowLayout& layout, WindowId window, std::size_t entry) {
  return ControlRef{layout.entries[entry].type, window, static_cast<int>(entry)};
}

}  // namespace

DateTime WithDay(DateTime previous, int year, int month, int day) {
  CalendarTime time = ToCalendarTime(previous);
  time.year = year;
  time.month = month;
  time.day = day;
  return FromCalendarTime(time);
}

ModelView::UserAction::~UserAction() {
  --view_.user_actions_;
  view_.ApplyDeferred();
}

void ModelView::Attach(ControlModel& model) {
  model_ = &model;
  VisualStyleChanged(model.VisualStyle());
  early_.Replay(
      model, [this](WindowId window) { Build(window); }, [this](WindowId window) { Show(window); });
}

void ModelView::Detach() {
  if (model_ != nullptr) {
    for (const auto& [id, state] : windows_) {
      if (!model_->IsLoaded(id)) continue;
      const WindowLayout& layout = model_->LayoutOf(id);
      for (std::size_t i = 1; i < state.built.size(); ++i) {
        if (state.built[i] && layout.entries[i].type == ControlType::kEditBox) {
          static_cast<void>(model_->Text(RefOf(layout, id, i)));
        }
      }
    }
  }
  model_ = nullptr;
}

void ModelView::WindowCreated(WindowId window) {
  if (model_ == nullptr) {
    early_.Created(window);
    return;
  }
  Build(window);
}

void ModelView::WindowShown(WindowId window) {
  if (model_ == nullptr) {
    early_.Shown(window);
    return;
  }
  Show(window);
}

void ModelView::WindowClosed(WindowId window) {
  early_.Closed(window);
  const auto found = windows_.find(window);
  if (found == windows_.end()) return;
  // Re-enable the windows this modal window disabled before destroying it, so that one of them,
  // and not another program, becomes active.
  Reenable(found->second);
  windows_.erase(found);
  std::erase_if(deferred_,
                [window](const Deferred& held) { return held.control.window == window; });
  DestroyTopWindow(window);
}

void ModelView::PropertyChanged(const ControlRef& control, Property property) {
  if (!Live(control) || !Built(control)) return;  // an unbuilt control reads the model at creation
  if (control.control == 0) {
    if (property == Property::kCaption) SetProperty(control, property);
    return;
  }
  const bool seen = model_->OnSelectedPages(control);
  // A page change is applied at once, even during a user action, so that the controls of the
  // new page get built.
  if (seen && property == Property::kPage) {
    Apply(control, property);
  } else if (!seen || user_actions_ > 0) {
    Defer(control, property, nullptr);
  } else {
    Apply(control, property);
  }
}

void ModelView::ItemsChanged(const ControlRef& control, const ItemChange& change) {
  if (!Live(control) || !Built(control) || control.control == 0) return;
  if (user_actions_ > 0 || !model_->OnSelectedPages(control)) {
    Defer(control, Property::kItems, &change);
    return;
  }
  ApplyRows(control, change);
}

void ModelView::RunModal(WindowId window) {
  if (model_ == nullptr || !model_->IsLoaded(window)) return;
  const auto found = windows_.find(window);
  if (found == windows_.end()) return;
  // Disable every other window while this one is open.
  for (auto& [id, state] : windows_) {
    if (id == window || !state.enabled) continue;
    state.enabled = false;
    EnableTopWindow(id, false);
    found->second.disabled.push_back(id);
  }
  RunEventLoop(window);
  if (const auto open = windows_.find(window); open != windows_.end()) Reenable(open->second);
}

bool ModelView::Live(const ControlRef& control) const {
  return model_ != nullptr && model_->IsLoaded(control.window) &&
         windows_.count(control.window) != 0;
}

bool ModelView::Built(const ControlRef& control) const {
  const auto found = windows_.find(control.window);
  if (found == windows_.end() || control.control < 0) return false;
  const auto index = static_cast<std::size_t>(control.control);
  return index < found->second.built.size() && found->second.built[index];
}

void ModelView::Refresh(const ControlRef& control, Property property) {
  if (Live(control) && Built(control)) Apply(control, property);
}

void ModelView::RequestClose(WindowId window) {
  if (model_ == nullptr || !model_->IsLoaded(window)) return;
  const auto found = windows_.find(window);
  // A window behind an open modal window cannot be closed.
  if (found == windows_.end() || !found->second.enabled || model_->ActiveWindow() != window) {
    return;
  }
  {
    const UserAction action(*this);
    model_->UserClose(window);
  }
  // The model reports the program as finished only after the close has completed.
  if (model_ != nullptr && model_->Finished()) ProgramFinished();
}

void ModelView::FlushDeferred() {
  if (model_ != nullptr) ApplyDeferred();
}

void ModelView::Build(WindowId window) {
  const WindowLayout& layout = model_->LayoutOf(window);
  WindowState& state = windows_[window];
  state.built.assign(layout.entries.size(), false);
  state.built[0] = true;
  CreateTopWindow(window, layout.entries.front());
  BuildPending(window);
}

void ModelView::BuildPending(WindowId window) {
  if (building_) return;
  const auto found = windows_.find(window);
  if (found == windows_.end()) return;
  const WindowLayout& layout = model_->LayoutOf(window);
  // Most of the main window's controls are on pages the user may never select, so a control is
  // created only when its page is first shown.
  std::vector<std::size_t> now;
  for (std::size_t i = 1; i < found->second.built.size(); ++i) {
    if (!found->second.built[i] && HasNativeControl(layout.entries[i].type) &&
        model_->OnSelectedPages(RefOf(layout, window, i))) {
      now.push_back(i);
    }
  }
  if (!now.empty()) BuildControls(window, now);
}

void ModelView::BuildControls(WindowId window, const std::vector<std::size_t>& entries) {
  const WindowLayout& layout = model_->LayoutOf(window);
  building_ = true;
  std::vector<std::size_t> order;
  for (const std::size_t i : entries) CreateParentsFirst(window, i, order);
  std::sort(order.begin(), order.end());
  const std::vector<bool>& built = windows_.at(window).built;
  // Siblings share one page, so they are created together and ordered among themselves.
  for (const std::size_t i : order) {
    const LayoutEntry& entry = layout.entries[i];
    int previous = 0;
    int previous_tab_stop = 0;
    for (std::size_t before = i - 1; before > 0 && (previous == 0 || previous_tab_stop == 0);
         --before) {
      if (!built[before] || !HasNativeControl(layout.entries[before].type)) continue;
      const LayoutEntry& other = layout.entries[before];
      if (previous == 0 && other.parent == entry.parent && other.page == entry.page) {
        previous = static_cast<int>(before);
      }
      if (previous_tab_stop == 0 && (other.flags & kFlagTabStop)) {
        previous_tab_stop = static_cast<int>(before);
      }
    }
    const ControlRef control = RefOf(layout, window, i);
    StackControl(control, previous);
    if ((entry.flags & kFlagTabStop) && previous_tab_stop != 0) {
      FollowInTabOrder(control, previous_tab_stop);
    }
  }
  for (const std::size_t i : order) {
    const ControlRef control = RefOf(layout, window, i);
    for (const Property property : StateProperties(control.type)) Apply(control, property);
  }
  building_ = false;
}

void ModelView::CreateParentsFirst(WindowId window, std::size_t entry,
                                   std::vector<std::size_t>& order) {
  std::vector<bool>& built = windows_.at(window).built;
  const WindowLayout& layout = model_->LayoutOf(window);
  if (built[entry]) return;
  // Marked before the parent is created, so that a cyclic parent chain terminates.
  built[entry] = true;
  const auto parent = static_cast<std::size_t>(layout.entries[entry].parent);
  if (parent > 0 && parent < built.size()) CreateParentsFirst(window, parent, order);
  const ControlRef control = RefOf(layout, window, entry);
  CreateControl(control, ControlLook{ShownText(*model_, control), model_->Visible(control),
                                     model_->Enabled(control)});
  order.push_back(entry);
}

void ModelView::Show(WindowId window) {
  const auto found = windows_.find(window);
  if (found == windows_.end() || found->second.shown) return;
  found->second.shown = true;
  ShowTopWindow(window);
}

void ModelView::Apply(const ControlRef& control, Property property) {
  SetProperty(control, property);
  if (property != Property::kPage || building_) return;
  BuildPending(control.window);
  // Apply the writes deferred while the new page was hidden.
  ApplyDeferred();
}

void ModelView::ApplyRows(const ControlRef& control, const ItemChange& change) {
  const int before = RowCount(control);
  const auto after = static_cast<int>(model_->Combo(control).Entries().size());
  if (change.first < 0 || change.removed < 0 || change.inserted < 0 ||
      change.first + change.removed > before ||
      before - change.removed + change.inserted != after) {
    Apply(control, Property::kItems);
    return;
  }
  ReplaceRows(control, change);
  Apply(control, Property::kSelection);
}

void ModelView::Defer(const ControlRef& control, Property property, const ItemChange* change) {
  auto found = std::find_if(deferred_.begin(), deferred_.end(), [&](const Deferred& held) {
    return held.control == control && held.property == property;
  });
  if (found == deferred_.end()) {
    found = deferred_.insert(deferred_.end(), Deferred{control, property, false, 0, {}});
  }
  if (change == nullptr) {
    found->whole = true;
  } else if (found->changes++ == 0) {
    found->change = *change;
  }
  if (user_actions_ > 0 && !flush_posted_) {
    flush_posted_ = true;
    PostFlush();
  }
}

void ModelView::ApplyDeferred() {
  flush_posted_ = false;
  // A page change applied in this pass may make more deferred writes visible, hence the loop.
  for (bool again = true; again && model_ != nullptr;) {
    again = false;
    std::vector<Deferred> kept;
    for (const Deferred& held : std::exchange(deferred_, {})) {
      if (!Live(held.control) || !Built(held.control)) continue;
      if (!model_->OnSelectedPages(held.control)) {
        kept.push_back(held);
        continue;
      }
      if (held.property != Property::kItems) {
        Apply(held.control, held.property);
        again = again || held.property == Property::kPage;
      } else if (!held.whole && held.changes == 1) {
        ApplyRows(held.control, held.change);
      } else {
        Apply(held.control, Property::kItems);
      }
    }
    if (kept.empty()) break;
    kept.insert(kept.end(), deferred_.begin(), deferred_.end());
    deferred_ = std::move(kept);
  }
}

void ModelView::Reenable(WindowState& state) {
  for (const WindowId other : std::exchange(state.disabled, {})) {
    const auto found = windows_.find(other);
    if (found == windows_.end()) continue;
    found->second.enabled = true;
    EnableTopWindow(other, true);
  }
}

}  // namespace velmora
