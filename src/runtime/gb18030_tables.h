#pragma once

// The tables of the GB18030 codec, generated from glibc's converter by tools/gb18030_tables.

#include <cstddef>
#include <cstdint>

namespace velmora::gb18030 {

// The two-byte area, lead bytes 0x81 to 0xFE by trail bytes 0x40 to 0xFE (191 slots a lead
// byte, 0x7F among them), in slot order. A token below 0xD800 is the code point of the next
// slot; 0xD800 + n gives the n slots after it the next n code points; 0xDC00 + n leaves n
// slots without a character. No character of the area is a surrogate.
inline constexpr std::uint16_t kRunToken = 0xD800;
inline constexpr std::uint16_t kGapToken = 0xDC00;
inline constexpr std::uint16_t kTokenEnd = 0xE000;
extern const std::uint16_t kTwoByteTokens[];
extern const std::size_t kTwoByteTokenCount;

// The few two-byte sequences (lead << 8 | trail) of characters beyond the BMP; they are gaps
// of the token table.
struct TwoByteBeyondBmp {
  std::uint16_t sequence;
  std::uint32_t code;
};
extern const TwoByteBeyondBmp kTwoByteBeyondBmp[];
extern const std::size_t kTwoByteBeyondBmpCount;

// The four-byte sequences by their linear index (b1 - 0x81) * 12600 + (b2 - 0x30) * 1260 +
// (b3 - 0x81) * 10 + (b4 - 0x30), in ranges of consecutive code points, by rising index.
struct FourByteRange {
  std::uint32_t index;
  std::uint32_t code;
  std::uint32_t count;
};
extern const FourByteRange kFourByteRanges[];
extern const std::size_t kFourByteRangeCount;

// Four-byte sequences (linear index | 0x80000000) that decode to a character whose encoding is
// another sequence.
extern const std::uint32_t kDecodeOnly[];
extern const std::size_t kDecodeOnlyCount;

}  // namespace velmora::gb18030
