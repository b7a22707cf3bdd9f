#include "runtime/name_index.h"

#include <algorithm>
#include <cstring>

namespace velmora {
namespace {

// A byte of 0x80 or above starts a two-byte character.
std::size_t CharLength(std::string_view text, std::size_t i) {
  return (static_cast<unsigned char>(text[i]) >= 0x80 && i + 1 < text.size()) ? 2 : 1;
}

// Up to eight bytes as one word. A whole word is one load; a copy of fewer bytes into a word
// on the stack would stall the load that follows it.
std::uint64_t LoadWord(const char* bytes, std::size_t count) {
  std::uint64_t word = 0;
  if (count == 8) {
    std::memcpy(&word, bytes, 8);
    return word;
  }
  for (std::size_t i = 0; i < count; ++i)
    word |= std::uint64_t{static_cast<unsigned char>(bytes[i])} << (8 * i);
  return word;
}

char Lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + ('a' - 'A')) : c; }

}  // namespace

// Every byte from A to Z is lowered, second bytes of GBK characters too: names that compare
// equal still hash equal, and eight bytes are lowered at a time with no walk over character
// boundaries.
std::uint64_t FoldedNameHash(std::string_view name) {
  constexpr std::uint64_t kOnes = 0x0101010101010101ull;
  std::uint64_t hash = name.size() * 0x9E3779B97F4A7C15ull;
  while (!name.empty()) {
    const std::size_t count = std::min<std::size_t>(name.size(), 8);
    std::uint64_t word = LoadWord(name.data(), count);
    const std::uint64_t low = word & (0x7F * kOnes);
    const std::uint64_t at_least_a = low + (0x80 - 'A') * kOnes;
    const std::uint64_t beyond_z = low + (0x80 - 'Z' - 1) * kOnes;
    const std::uint64_t upper = at_least_a & ~beyond_z & ~word & (0x80 * kOnes);
    word |= upper >> 2;
    hash = (hash ^ word) * 0xFF51AFD7ED558CCDull;
    hash ^= hash >> 32;
    name.remove_prefix(count);
  }
  // The low bits pick the slot, yet a product's low bits see only the low bits of its input:
  // names that differ only in their last bytes ("...框1", "...框2") would all share one slot.
  // Fold the high bits down once more.
  hash *= 0xC4CEB9FE1A85EC53ull;
  hash ^= hash >> 33;
  return hash;
}

bool FoldedNamesEqual(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  if (a == b) return true;
  for (std::size_t i = 0; i < a.size();) {
    // Equal lead bytes keep both names on the same character boundaries.
    const std::size_t length = CharLength(a, i);
    if (length == 2 ? (a[i] != b[i] || a[i + 1] != b[i + 1]) : Lower(a[i]) != Lower(b[i])) {
      return false;
    }
    i += length;
  }
  return true;
}

}  // namespace velmora
