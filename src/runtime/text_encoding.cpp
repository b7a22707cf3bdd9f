#include "runtime/text_encoding.h"

#include <cstdint>

#include "runtime/gbk_codec.h"
#include "runtime/utf8.h"

namespace velmora {
namespace {

constexpr std::string_view kUtf8Mark = "\xEF\xBB\xBF";
constexpr std::string_view kUtf16LeMark = "\xFF\xFE";
constexpr char32_t kReplacement = 0xFFFD;
constexpr char32_t kSurrogateFirst = 0xD800;
constexpr char32_t kLowSurrogateFirst = 0xDC00;
constexpr char32_t kSurrogateLast = 0xDFFF;
constexpr char32_t kFirstBeyondBmp = 0x10000;

std::string_view WithoutMark(std::string_view bytes, std::string_view mark) {
  if (bytes.starts_with(mark)) bytes.remove_prefix(mark.size());
  return bytes;
}

bool HasNonAscii(std::string_view bytes) {
  for (const char c : bytes) {
    if (static_cast<unsigned char>(c) >= 0x80) return true;
  }
  return false;
}

void AppendUnit(char16_t unit, std::string& out) {
  out.push_back(static_cast<char>(unit & 0xFF));
  out.push_back(static_cast<char>(unit >> 8));
}

std::string Utf16LeToUtf8(std::string_view bytes) {
  const auto unit_at = [bytes](std::size_t i) -> char32_t {
    return static_cast<unsigned char>(bytes[i]) | static_cast<unsigned char>(bytes[i + 1]) << 8;
  };
  std::string utf8;
  utf8.reserve(bytes.size() * 3 / 2);
  std::size_t i = 0;
  for (; i + 1 < bytes.size(); i += 2) {
    char32_t code = unit_at(i);
    if (code >= kSurrogateFirst && code <= kSurrogateLast) {
      const bool paired = code < kLowSurrogateFirst && i + 3 < bytes.size() &&
                          unit_at(i + 2) >= kLowSurrogateFirst && unit_at(i + 2) <= kSurrogateLast;
      if (paired) {
        code = kFirstBeyondBmp + ((code - kSurrogateFirst) << 10) +
               (unit_at(i + 2) - kLowSurrogateFirst);
        i += 2;
      } else {
        code = kReplacement;
      }
    }
    AppendUtf8(code, utf8);
  }
  // A file cut in the middle of a character.
  if (i < bytes.size()) AppendUtf8(kReplacement, utf8);
  return utf8;
}

// From well-formed UTF-8, as the codec gives it.
std::string Utf8ToUtf16Le(std::string_view utf8) {
  std::string out(kUtf16LeMark);
  out.reserve(kUtf16LeMark.size() + utf8.size() * 2);
  for (std::size_t i = 0; i < utf8.size();) {
    std::size_t used = 1;
    char32_t code = DecodeUtf8(utf8.substr(i), used).value_or(kReplacement);
    i += used;
    if (code >= kFirstBeyondBmp) {
      code -= kFirstBeyondBmp;
      AppendUnit(static_cast<char16_t>(kSurrogateFirst + (code >> 10)), out);
      AppendUnit(static_cast<char16_t>(kLowSurrogateFirst + (code & 0x3FF)), out);
    } else {
      AppendUnit(static_cast<char16_t>(code), out);
    }
  }
  return out;
}

}  // namespace

TextEncoding DetectTextEncoding(std::string_view bytes) {
  if (bytes.starts_with(kUtf16LeMark)) return TextEncoding::kUtf16Le;
  if (bytes.starts_with(kUtf8Mark)) return TextEncoding::kUtf8WithMark;
  if (HasNonAscii(bytes) && IsValidUtf8(bytes)) return TextEncoding::kUtf8;
  return TextEncoding::kGbk;
}

std::string DecodeText(std::string_view bytes, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kGbk:
      break;
    case TextEncoding::kUtf8:
      return Utf8ToGbk(bytes);
    case TextEncoding::kUtf8WithMark:
      return Utf8ToGbk(WithoutMark(bytes, kUtf8Mark));
    case TextEncoding::kUtf16Le:
      return Utf8ToGbk(Utf16LeToUtf8(WithoutMark(bytes, kUtf16LeMark)));
  }
  return std::string(bytes);
}

std::string EncodeText(std::string_view gbk, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kGbk:
      break;
    case TextEncoding::kUtf8:
      return GbkToUtf8(gbk);
    case TextEncoding::kUtf8WithMark:
      return std::string(kUtf8Mark) + GbkToUtf8(gbk);
    case TextEncoding::kUtf16Le:
      return Utf8ToUtf16Le(GbkToUtf8(gbk));
  }
  return std::string(gbk);
}

}  // namespace velmora
