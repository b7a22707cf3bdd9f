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
  impl_->Notify(control, Property::kItems);
  return index;
}

bool ControlModel::DeleteItem(const ControlRef& control, int index) {
  ControlState& state = impl_->Live(control, Access::kWrite);
  if (!HoldsItems(impl_->EntryOf(control).type) || !state.items.Delete(index)) {
    return false;
  }
  impl_->Notify(control, Property::kItems);
  return true;
}

void ControlModel::ClearItems(const ControlRef& control) {
  ControlState& state = impl_->Live(control, Access::kWrite);
  if (!HoldsItems(impl_->EntryOf(control).type)) {
    return;
  }
  state.items.Clear();
  impl_->Notify(control, Property::kItems);
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
