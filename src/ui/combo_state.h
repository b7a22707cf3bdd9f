#pragma once

// The state of a combo box: entries with item values and the selection.

#include <string>
#include <string_view>
#include <vector>

namespace velmora {

struct ComboEntry {
  std::string text;
  int value = 0;
};

class ComboState {
 public:
  int Count() const { return static_cast<int>(entries_.size()); }
  std::string EntryText(int index) const;         // empty for an invalid index
  int EntryValue(int index) const;                // -1 for an invalid index
  int Add(std::string_view text, int value = 0);  // index of the new entry
  // Deleting the selected entry leaves nothing selected; an entry before it moves it up.
  bool Delete(int index);
  void Clear();
  // Clear, then the texts as entries with value 0, taken over without a copy.
  void Assign(std::vector<std::string>&& texts);
  int Find(std::string_view text) const;  // first entry whose whole text equals, or -1

  int Selection() const { return selection_; }
  // Above the last index selects the last entry; below -1 selects nothing.
  void SetSelection(int index);
  // The text property: the selected entry's text (a drop-down list shows nothing else, so a
  // text written to the box has nowhere to show).
  std::string Text() const;
  // The same without a copy, valid until the entries change.
  std::string_view TextView() const;

  const std::vector<ComboEntry>& Entries() const { return entries_; }

 private:
  std::vector<ComboEntry> entries_;
  int selection_ = -1;
};

}  // namespace velmora
