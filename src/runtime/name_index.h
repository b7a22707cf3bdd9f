#pragma once

// Profile names (sections, or the keys of one section) to what was first stored for them,
// compared without regard to the case of ASCII letters, character by character (the second
// byte of a GBK character is never folded). A flat table: no allocation per name, and the
// names are views that must outlive the index.

#include <cstddef>
#include <cstdint>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora {

std::uint64_t FoldedNameHash(std::string_view name);
bool FoldedNamesEqual(std::string_view a, std::string_view b);

template <typename T>
class NameIndex {
 public:
  // What is stored for the name, or nullptr.
  const T* Find(std::string_view name) const {
    if (slots_.empty()) return nullptr;
    const std::uint64_t hash = FoldedNameHash(name);
    for (std::size_t slot = hash & (slots_.size() - 1);; slot = (slot + 1) & (slots_.size() - 1)) {
      const std::uint32_t entry = slots_[slot];
      if (entry == 0) return nullptr;
      const Entry& candidate = entries_[entry - 1];
      if (candidate.hash == hash && FoldedNamesEqual(candidate.name, name)) return &candidate.value;
    }
  }

  // Stores value for a name not yet present; a name already present keeps what it has. Gives
  // what is now stored (valid until the next Insert) and whether this call stored it.
  std::pair<T*, bool> Insert(std::string_view name, T value) {
    if (2 * (entries_.size() + 1) > slots_.size()) Grow();
    const std::uint64_t hash = FoldedNameHash(name);
    std::size_t slot = hash & (slots_.size() - 1);
    for (; slots_[slot] != 0; slot = (slot + 1) & (slots_.size() - 1)) {
      Entry& candidate = entries_[slots_[slot] - 1];
      if (candidate.hash == hash && FoldedNamesEqual(candidate.name, name)) {
        return {&candidate.value, false};
      }
    }
    entries_.push_back(Entry{hash, name, std::move(value)});
    slots_[slot] = static_cast<std::uint32_t>(entries_.size());
    return {&entries_.back().value, true};
  }

 private:
  struct Entry {
    std::uint64_t hash;
    std::string_view name;
    T value;
  };

  // Keeps at most half of the slots in use, so that probe runs stay short.
  void Grow() {
    std::vector<std::uint32_t> slots(slots_.empty() ? 16 : 2 * slots_.size(), 0);
    for (std::size_t i = 0; i < entries_.size(); ++i) {
      std::size_t slot = entries_[i].hash & (slots.size() - 1);
      while (slots[slot] != 0) slot = (slot + 1) & (slots.size() - 1);
      slots[slot] = static_cast<std::uint32_t>(i + 1);
    }
    slots_ = std::move(slots);
  }

  std::vector<Entry> entries_;
  std::vector<std::uint32_t> slots_;  // 1 + index into entries_, 0 when free; a power of two
};

}  // namespace velmora
