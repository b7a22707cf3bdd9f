// The entries of list and combo boxes. Writes to a control of another type change nothing.

#include "ui/control_store.h"

namespace velmora {

namespace {

bool HoldsItems(ControlType type) {
  return type == ControlType::kComboBox || type == ControlType::kListBox;
}

}  // namespace

int ControlStore::ItemCount(const ControlRef& control) const {
  return Live(control, Access::kRead).items.Count();
}

std::string ControlStore::ItemText(const ControlRef& control, int index) const {
  return Live(control, Access::kRead).items.EntryText(index);
}

int ControlStore::ItemValue(const ControlRef& control, int index) const {
  return Live(control, Access::kRead).items.EntryValue(index);
}

int ControlStore::AddItem(const ControlRef& control, std::string_view text, int value) {
  ControlState& state = Live(control, Access::kWrite);
  if (!HoldsItems(TypeOf(control))) {
    return -1;
  }
  const int index = state.items.Add(text, value);
  events_.NotifyItems(control, ItemChange{index, 0, 1});
  return index;
}

bool ControlStore::DeleteItem(const ControlRef& control, int index) {
  ControlState& state = Live(control, Access::kWrite);
  if (!HoldsItems(TypeOf(control)) || !state.items.Delete(index)) {
    return false;
  }
  events_.NotifyItems(control, ItemChange{index, 1, 0});
  return true;
}

void ControlStore::ClearItems(const ControlRef& control) {
  ControlState& state = Live(control, Access::kWrite);
  if (!HoldsItems(TypeOf(control))) {
    return;
  }
  const int count = state.items.Count();
  state.items.Clear();
  events_.NotifyItems(control, ItemChange{0, count, 0});
}

void ControlStore::SetItems(const ControlRef& control, std::vector<std::string> texts) {
  ControlState& state = Live(control, Access::kWrite);
  if (!HoldsItems(TypeOf(control))) {
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
  state.items.Assign(std::move(texts));
  events_.NotifyItems(control, change);
}

int ControlStore::FindItem(const ControlRef& control, std::string_view text) const {
  return Live(control, Access::kRead).items.Find(text);
}

const ComboState& ControlStore::Combo(const ControlRef& control) const {
  return Live(control, Access::kRead).items;
}

void ControlStore::SetCombo(const ControlRef& control, ComboState state) {
  ControlState& live = Live(control, Access::kWrite);
  if (!HoldsItems(TypeOf(control))) {
    return;
  }
  live.items = std::move(state);
  events_.Notify(control, Property::kItems);
  events_.Notify(control, Property::kSelection);
}

}  // namespace velmora
