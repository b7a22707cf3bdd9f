#include "runtime/gbk_codec.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

#include "runtime/gb18030_tables.h"
#include "runtime/utf8.h"

namespace velmora {

namespace {

constexpr std::string_view kUtf8Replacement = "\xEF\xBF\xBD";
// Code page 936 gives the lone byte 0x80 the euro sign, which GB18030 writes as A2 E3: texts
// from Windows programs hold it that way.
constexpr unsigned char kCp936Euro = 0x80;
constexpr std::string_view kUtf8Euro = "\xE2\x82\xAC";
// U+FFFD in its four-byte GB18030 form.
constexpr std::string_view kGbReplacement = "\x84\x31\xA4\x37";

constexpr int kTwoByteSlots = 126 * 191;
constexpr std::uint32_t kFourByteFlag = 0x80000000;

// The decoding tables unpacked, and the encoding of every BMP character (two bytes as
// lead << 8 | trail, four bytes as linear index | kFourByteFlag, 0 for none).
struct Tables {
  std::array<char32_t, kTwoByteSlots> two_byte{};
  std::array<std::uint32_t, 0x10000> bmp_encoding{};
  std::vector<gb18030::FourByteRange> supplementary_by_code;
};

std::unique_ptr<Tables> BuildTables() {
  auto tables = std::make_unique<Tables>();
  std::size_t slot = 0;
  for (std::size_t i = 0; i < gb18030::kTwoByteTokenCount; ++i) {
    const std::uint16_t token = gb18030::kTwoByteTokens[i];
    if (token >= gb18030::kRunToken && token < gb18030::kGapToken) {
      for (int n = 0; n < token - gb18030::kRunToken; ++n, ++slot) {
        tables->two_byte[slot] = tables->two_byte[slot - 1] + 1;
      }
    } else if (token >= gb18030::kGapToken && token < gb18030::kTokenEnd) {
      slot += token - gb18030::kGapToken;
    } else {
      tables->two_byte[slot++] = token;
    }
  }
  for (std::size_t i = 0; i < gb18030::kTwoByteBeyondBmpCount; ++i) {
    const gb18030::TwoByteBeyondBmp& entry = gb18030::kTwoByteBeyondBmp[i];
    tables->two_byte[((entry.sequence >> 8) - 0x81) * 191 + ((entry.sequence & 0xFF) - 0x40)] =
        entry.code;
  }
  for (int s = 0; s < kTwoByteSlots; ++s) {
    const char32_t code = tables->two_byte[s];
    if (code != 0 && code < 0x10000)
      tables->bmp_encoding[code] =
          static_cast<std::uint32_t>((0x81 + s / 191) << 8 | (0x40 + s % 191));
  }
  const auto* decode_only_end = gb18030::kDecodeOnly + gb18030::kDecodeOnlyCount;
  for (std::size_t r = 0; r < gb18030::kFourByteRangeCount; ++r) {
    const gb18030::FourByteRange& range = gb18030::kFourByteRanges[r];
    if (range.code >= 0x10000) {
      tables->supplementary_by_code.push_back(range);
      continue;
    }
    for (std::uint32_t n = 0; n < range.count; ++n) {
      const std::uint32_t sequence = (range.index + n) | kFourByteFlag;
      if (std::find(gb18030::kDecodeOnly, decode_only_end, sequence) != decode_only_end) continue;
      tables->bmp_encoding[range.code + n] = sequence;
    }
  }
  std::sort(tables->supplementary_by_code.begin(), tables->supplementary_by_code.end(),
            [](const auto& a, const auto& b) { return a.code < b.code; });
  return tables;
}

const Tables& CodecTables() {
  static const std::unique_ptr<Tables> tables = BuildTables();
  return *tables;
}

std::optional<char32_t> FourByteCode(std::uint32_t index) {
  const auto* end = gb18030::kFourByteRanges + gb18030::kFourByteRangeCount;
  const auto* after =
      std::upper_bound(gb18030::kFourByteRanges, end, index,
                       [](std::uint32_t i, const auto& range) { return i < range.index; });
  if (after == gb18030::kFourByteRanges) return std::nullopt;
  const gb18030::FourByteRange& range = *(after - 1);
  if (index - range.index >= range.count) return std::nullopt;
  return static_cast<char32_t>(range.code + (index - range.index));
}

bool InRange(unsigned char byte, unsigned char low, unsigned char high) {
  return byte >= low && byte <= high;
}

// The character at the start of bytes and the number of bytes it takes; nothing when the
// first byte starts no valid sequence.
std::optional<char32_t> DecodeGb18030(std::string_view bytes, std::size_t& used) {
  const auto at = [&](std::size_t i) { return static_cast<unsigned char>(bytes[i]); };
  const unsigned char lead = at(0);
  if (lead < 0x80) {
    used = 1;
    return lead;
  }
  if (!InRange(lead, 0x81, 0xFE) || bytes.size() < 2) return std::nullopt;
  const unsigned char second = at(1);
  if (InRange(second, 0x40, 0xFE) && second != 0x7F) {
    const char32_t code = CodecTables().two_byte[(lead - 0x81) * 191 + (second - 0x40)];
    if (code == 0) return std::nullopt;
    used = 2;
    return code;
  }
  if (!InRange(second, 0x30, 0x39) || bytes.size() < 4 || !InRange(at(2), 0x81, 0xFE) ||
      !InRange(at(3), 0x30, 0x39)) {
    return std::nullopt;
  }
  const std::uint32_t index =
      (lead - 0x81) * 12600u + (second - 0x30) * 1260u + (at(2) - 0x81) * 10u + (at(3) - 0x30);
  const std::optional<char32_t> code = FourByteCode(index);
  if (code) used = 4;
  return code;
}

void AppendFourBytes(std::uint32_t index, std::string& out) {
  out.push_back(static_cast<char>(0x81 + index / 12600));
  out.push_back(static_cast<char>(0x30 + index / 1260 % 10));
  out.push_back(static_cast<char>(0x81 + index / 10 % 126));
  out.push_back(static_cast<char>(0x30 + index % 10));
}

// Appends the GB18030 form of code; false when the character has none.
bool AppendGb18030(char32_t code, std::string& out) {
  if (code < 0x80) {
    out.push_back(static_cast<char>(code));
    return true;
  }
  const Tables& tables = CodecTables();
  if (code < 0x10000) {
    const std::uint32_t sequence = tables.bmp_encoding[code];
    if (sequence == 0) return false;
    if ((sequence & kFourByteFlag) != 0) {
      AppendFourBytes(sequence & ~kFourByteFlag, out);
    } else {
      out.push_back(static_cast<char>(sequence >> 8));
      out.push_back(static_cast<char>(sequence & 0xFF));
    }
    return true;
  }
  for (std::size_t i = 0; i < gb18030::kTwoByteBeyondBmpCount; ++i) {
    const gb18030::TwoByteBeyondBmp& entry = gb18030::kTwoByteBeyondBmp[i];
    if (entry.code != code) continue;
    out.push_back(static_cast<char>(entry.sequence >> 8));
    out.push_back(static_cast<char>(entry.sequence & 0xFF));
    return true;
  }
  const auto& ranges = tables.supplementary_by_code;
  const auto after = std::upper_bound(ranges.begin(), ranges.end(), code,
                                      [](char32_t c, const auto& range) { return c < range.code; });
  if (after == ranges.begin() || code - (after - 1)->code >= (after - 1)->count) return false;
  AppendFourBytes((after - 1)->index + (code - (after - 1)->code), out);
  return true;
}

// Converts the whole input in one pass. A byte that starts an invalid or truncated sequence
// is handed to on_invalid, which appends its stand-in; conversion resumes at the next byte.
// Gives true when no byte was invalid.
template <typename Decode, typename Append, typename OnInvalid>
bool Convert(std::string_view in, std::string& out, Decode decode, Append append,
             OnInvalid on_invalid) {
  out.clear();
  out.reserve(in.size() * 3 / 2);
  bool clean = true;
  for (std::size_t i = 0; i < in.size();) {
    std::size_t used = 0;
    const std::optional<char32_t> code = decode(in.substr(i), used);
    if (code && append(*code, out)) {
      i += used;
      continue;
    }
    on_invalid(static_cast<unsigned char>(in[i]), out);
    clean = false;
    ++i;
  }
  return clean;
}

bool AppendAsUtf8(char32_t code, std::string& out) {
  AppendUtf8(code, out);
  return true;
}

}  // namespace

std::string GbkToUtf8(std::string_view gbk) {
  std::string out;
  Convert(gbk, out, DecodeGb18030, AppendAsUtf8, [](unsigned char byte, std::string& text) {
    text.append(byte == kCp936Euro ? kUtf8Euro : kUtf8Replacement);
  });
  return out;
}

std::string GbkToUtf8(std::string_view gbk,
                      const std::function<std::string(unsigned char)>& on_invalid_byte) {
  std::string out;
  Convert(gbk, out, DecodeGb18030, AppendAsUtf8, [&](unsigned char byte, std::string& text) {
    text.append(on_invalid_byte ? on_invalid_byte(byte) : std::string(kUtf8Replacement));
  });
  return out;
}

std::string Utf8ToGbk(std::string_view utf8) {
  std::string out;
  Convert(utf8, out, DecodeUtf8, AppendGb18030,
          [](unsigned char, std::string& text) { text.append(kGbReplacement); });
  return out;
}

bool IsValidGb18030(std::string_view bytes) {
  thread_local std::string scratch;
  return Convert(bytes, scratch, DecodeGb18030, AppendAsUtf8, [](unsigned char, std::string&) {});
}

bool IsValidUtf8(std::string_view bytes) {
  // Stops at the first invalid sequence: a GBK file fails within its first line.
  for (std::size_t i = 0; i < bytes.size();) {
    std::size_t used = 0;
    if (!DecodeUtf8(bytes.substr(i), used)) return false;
    i += used;
  }
  return true;
}

}  // namespace velmora
