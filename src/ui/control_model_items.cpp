#include "ui/control_model.h"
#include "ui/control_model_impl.h"

namespace velmora {

namespace {

bool HoldsItems(ControlType type) {
  return type == ControlType::kComboBox || type == ControlType::kListBox;
}

}  // namespace

int ControlModel::ItemCount(const ControlRef& control) const {
  return impl_->Live(control, Access::kRead).items.Count();
}

std::string ControlModel::ItemText(const ControlRef& control, int index) const {
  return impl_->Live(control, Access::kRead).items.EntryText(index);
}

int ControlModel::ItemValue(const ControlRef& control, int index) const {
  return impl_->Live(control, Access::kRead).items.EntryValue(index);
}

int ControlModel::AddItem(const ControlRef& control, std::string_view text, int value) {
  ControlState& state = impl_->Live(control, Access::kWrite);
  if (!HoldsItems(impl_->EntryOf(control).type)) {
    return -1;
  }
  const int index = state.items.Add(text, value);
  impl_->NotifyItems(control, ItemChange{index, 0, 1});
  return index;
}

bool ControlModel::DeleteItem(const ControlRef& control, int index) {
  ControlState& state = impl_->Live(control, Access::kWrite);
  if (!HoldsItems(impl_->EntryOf(control).type) || !state.items.Delete(index)) {
    return false;
  }
  impl_->NotifyItems(control, ItemChange{index, 1, 0});
  return true;
}

void ControlModel::ClearItems(const ControlRef& control) {
  ControlState& state = impl_->Live(control, Access::kWrite);
  if (!HoldsItems(impl_->EntryOf(control).type)) {
    return;
  }
  const int count = state.items.Count();
  state.items.Clear();
  impl_->NotifyItems(control, ItemChange{0, count, 0});
}

void ControlModel::SetItems(const ControlRef& control, const std::vector<std::string>& texts) {
  ControlState& state = impl_->Live(control, Access::kWrite);
  if (!HoldsItems(impl_->EntryOf(control).type)) {
    return;
  }
  const std::vector<ComboEntry>& old = state.items.Entries();
  const auto same = [&](std::size_t old_index, std::size_t new_index) {
    return old[old_index].value == 0 && old[old_index].text == texts[new_index];
  };
  // The entries that stay at the front and at the back are left alone.
  std::size_t front = 0;
  while (front < old.size() && front < texts.size() && same(front, front)) ++front;
  std::size_t back = 0;
  while (back < old.size() - front && back < texts.size() - front &&
         same(old.size() - 1 - back, texts.size() - 1 - back)) {
    ++back;
  }
  const ItemChange change{static_cast<int>(front), static_cast<int>(old.size() - front - back),
                          static_cast<int>(texts.size() - front - back)};
  state.items.Clear();
  for (const std::string& text : texts) state.items.Add(text);
  impl_->NotifyItems(control, change);
}

int ControlModel::FindItem(const ControlRef& control, std::string_view text) const {
  return impl_->Live(control, Access::kRead).items.Find(text);
}

bool ControlModel::ScrollToItem(const ControlRef& control, int index) {
  ControlState& state = impl_->Live(control, Access::kWrite);
  if (!HoldsItems(impl_->EntryOf(control).type) || !state.items.ScrollTo(index)) {
    return false;
  }
  impl_->Notify(control, Property::kItems);
  return true;
}

int ControlModel::TopItem(const ControlRef& control) const {
  return impl_->Live(control, Access::kRead).items.TopIndex();
}

const ComboState& ControlModel::Combo(const ControlRef& control) const {
  return impl_->Live(control, Access::kRead).items;
}

void ControlModel::SetCombo(const ControlRef& control, const ComboState& state) {
  ControlState& live = impl_->Live(control, Access::kWrite);
  if (!HoldsItems(impl_->EntryOf(control).type)) {
    return;
  }
  live.items = state;
  impl_->Notify(control, Property::kItems);
  impl_->Notify(control, Property::kSelection);
}

}  // namespace velmora
