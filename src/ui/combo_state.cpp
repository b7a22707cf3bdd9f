#include "ui/combo_state.h"

#include <algorithm>
#include <cstddef>

namespace velmora {

std::string ComboState::EntryText(int index) const {
  if (index < 0 || index >= Count()) return {};
  return entries_[static_cast<std::size_t>(index)].text;
}

int ComboState::EntryValue(int index) const {
  if (index < 0 || index >= Count()) return -1;
  return entries_[static_cast<std::size_t>(index)].value;
}

int ComboState::Add(std::string_view text, int value) {
  entries_.push_back(ComboEntry{std::string(text), value});
  return Count() - 1;
}

bool ComboState::Delete(int index) {
  if (index < 0 || index >= Count()) return false;
  entries_.erase(entries_.begin() + index);
  if (selection_ == index) {
    selection_ = -1;
  } else if (selection_ > index) {
    --selection_;
  }
  return true;
}

void ComboState::Clear() {
  entries_.clear();
  selection_ = -1;
}

void ComboState::Assign(std::vector<std::string>&& texts) {
  Clear();
  entries_.reserve(texts.size());
  for (std::string& text : texts) entries_.push_back(ComboEntry{std::move(text), 0});
}

int ComboState::Find(std::string_view text) const {
  for (int i = 0; i < Count(); ++i) {
    if (entries_[static_cast<std::size_t>(i)].text == text) return i;
  }
  return -1;
}

void ComboState::SetSelection(int index) {
  // An empty list has no entry to select, whatever the index.
  if (index < 0 || entries_.empty()) {
    selection_ = -1;
  } else {
    selection_ = std::min(index, Count() - 1);
  }
}

std::string ComboState::Text() const { return std::string(TextView()); }

std::string_view ComboState::TextView() const {
  if (selection_ < 0 || selection_ >= Count()) return {};
  return entries_[static_cast<std::size_t>(selection_)].text;
}

}  // namespace velmora
