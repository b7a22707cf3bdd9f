#include "runtime/text_ops.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <limits>

namespace velmora {

namespace {

unsigned char Byte(std::string_view text, std::size_t i) {
  return static_cast<unsigned char>(text[i]);
}

unsigned char FoldCase(unsigned char c) {
  return (c >= 'A' && c <= 'Z') ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

// A byte of 0x80 or above starts a two-byte character, whatever follows it.
std::size_t CharWidth(std::string_view text, std::size_t i) {
  return Byte(text, i) >= 0x80 ? 2 : 1;
}

// A lead byte with nothing after it ends every scan.
bool IsLoneLeadAtEnd(std::string_view text, std::size_t i) {
  return Byte(text, i) >= 0x80 && i + 1 == text.size();
}

bool MatchesAt(std::string_view text, std::size_t i, std::string_view sought, bool ignore_case) {
  for (std::size_t k = 0; k < sought.size(); ++k) {
    unsigned char a = Byte(text, i + k);
    unsigned char b = Byte(sought, k);
    if (ignore_case) {
      a = FoldCase(a);
      b = FoldCase(b);
    }
    if (a != b) return false;
  }
  return true;
}

// 1-based start position to a 0-based offset; anything below 1 starts at the first byte.
std::size_t StartOffset(int start) {
  return start <= 1 ? 0 : static_cast<std::size_t>(static_cast<std::int64_t>(start) - 1);
}

// Offset of the first match at a character start at or after from, or npos. A match lies
// wholly before limit; the walk itself stops only at a lone lead byte that ends the whole text.
std::size_t ScanForward(std::string_view text, std::string_view sought, std::size_t from,
                        std::size_t limit, bool ignore_case) {
  const std::size_t m = sought.size();
  for (std::size_t i = from; i + m <= limit && !IsLoneLeadAtEnd(text, i); i += CharWidth(text, i)) {
    if (MatchesAt(text, i, sought, ignore_case)) return i;
  }
  return std::string_view::npos;
}

bool IsAsciiDigit(char c) { return c >= '0' && c <= '9'; }

// White space as the C conversion skips it in the "C" locale.
bool IsCSpace(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }

// Full-width digits, signs and letters read as their ASCII forms.
std::string FoldFullWidth(std::string_view text) {
  std::string folded;
  folded.reserve(text.size());
  std::size_t i = 0;
  while (i < text.size()) {
    const unsigned char lead = Byte(text, i);
    if (lead < 0x80 || i + 1 == text.size()) {
      folded.push_back(text[i]);
      ++i;
      continue;
    }
    const unsigned char trail = Byte(text, i + 1);
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE) {
      folded.push_back(static_cast<char>(trail - 0x80));
    } else if (lead == 0xA1 && trail == 0xA1) {
      folded.push_back(' ');
    } else if (lead == 0xA1 && trail == 0xAB) {
      folded.push_back('~');
    } else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF)) {
      folded.push_back('*');
    } else {
      folded.append(text.substr(i, 2));
    }
    i += 2;
  }
  return folded;
}

}  // namespace

int TextLength(std::string_view text) { return static_cast<int>(text.size()); }

std::string TextLeft(std::string_view text, int n) {
  if (n <= 0) return {};
  return std::string(text.substr(0, static_cast<std::size_t>(n)));
}

std::string TextRight(std::string_view text, int n) {
  if (n <= 0) return {};
  const std::size_t count = static_cast<std::size_t>(n);
  if (count >= text.size()) return std::string(text);
  return std::string(text.substr(text.size() - count));
}

int FindText(std::string_view text, std::string_view sought, int start, bool ignore_case) {
  const std::size_t b = StartOffset(start);
  if (b >= text.size()) return -1;
  if (sought.empty()) return 1;
  const std::size_t found = ScanForward(text, sought, b, text.size(), ignore_case);
  return found == std::string_view::npos ? -1 : static_cast<int>(found + 1);
}

int FindTextLast(std::string_view text, std::string_view sought, std::optional<int> end_limit,
                 bool ignore_case) {
  std::size_t k = text.size();
  if (end_limit) k = std::min(StartOffset(*end_limit), text.size());
  if (sought.empty()) return k > 0 ? 1 : -1;
  int last = -1;
  for (std::size_t i = ScanForward(text, sought, 0, k, ignore_case); i != std::string_view::npos;
       i = ScanForward(text, sought, i + CharWidth(text, i), k, ignore_case)) {
    last = static_cast<int>(i + 1);
  }
  return last;
}

std::string ReplaceText(std::string_view text, std::string_view sought,
                        std::string_view replacement, int start, int count, bool case_sensitive) {
  const std::size_t n = text.size();
  const std::size_t m = sought.size();
  const std::size_t b = StartOffset(start);
  if (n == 0 || m == 0 || b >= n || count == 0) return std::string(text);

  std::string result(text.substr(0, b));
  result.reserve(n);
  int replaced = 0;
  std::size_t i = b;
  while (i + m <= n && !IsLoneLeadAtEnd(text, i)) {
    if (MatchesAt(text, i, sought, !case_sensitive)) {
      result.append(replacement);
      i += m;
      if (count > 0 && ++replaced == count) break;
      continue;
    }
    const std::size_t width = CharWidth(text, i);
    result.append(text.substr(i, width));
    i += width;
  }
  result.append(text.substr(i));
  return result;
}

std::vector<std::string> SplitText(std::string_view text, std::string_view separator,
                                   std::optional<int> max_count) {
  const bool limited = max_count.has_value();
  int remaining = limited ? std::max(*max_count, 0) : 0;
  if (text.empty() || (limited && remaining == 0)) return {};
  if (separator.empty()) return {std::string(text)};

  std::vector<std::string> pieces;
  std::size_t piece_start = 0;
  std::size_t i = 0;
  while (i + separator.size() <= text.size() && !IsLoneLeadAtEnd(text, i)) {
    if (MatchesAt(text, i, separator, false)) {
      pieces.emplace_back(text.substr(piece_start, i - piece_start));
      i += separator.size();
      piece_start = i;
      if (limited && --remaining == 0) return pieces;
      continue;
    }
    i += CharWidth(text, i);
  }
  if (piece_start < text.size()) pieces.emplace_back(text.substr(piece_start));
  return pieces;
}

int TextEquals(std::string_view a, std::string_view b) {
  const std::size_t common = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < common; ++i) {
    if (Byte(a, i) != Byte(b, i)) return Byte(a, i) < Byte(b, i) ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

std::string ConcatText(std::initializer_list<std::string_view> parts) {
  std::size_t total = 0;
  for (std::string_view part : parts) total += part.size();
  std::string result;
  result.reserve(total);
  for (std::string_view part : parts) result.append(part);
  return result;
}

double ToNumber(std::string_view text) {
  const std::string folded = FoldFullWidth(text);
  const std::string_view rest = folded;
  std::size_t i = 0;
  const auto digits_from = [&](std::size_t from) {
    std::size_t end = from;
    while (end < rest.size() && IsAsciiDigit(rest[end])) ++end;
    return end;
  };
  while (i < rest.size() && IsCSpace(rest[i])) ++i;
  const bool negative = i < rest.size() && rest[i] == '-';
  if (i < rest.size() && (rest[i] == '-' || rest[i] == '+')) ++i;
  const std::size_t start = i;
  const std::size_t integer_end = digits_from(start);
  std::size_t end = integer_end;
  if (end < rest.size() && rest[end] == '.') end = digits_from(end + 1);
  if (end - start == (end > integer_end ? 1u : 0u)) return 0.0;  // no digit at all
  std::size_t mantissa_end = end;
  int exponent = 0;
  if (end < rest.size() && (rest[end] == 'e' || rest[end] == 'E')) {
    std::size_t e = end + 1;
    const bool exponent_negative = e < rest.size() && rest[e] == '-';
    if (e < rest.size() && (rest[e] == '-' || rest[e] == '+')) ++e;
    const std::size_t exponent_end = digits_from(e);
    if (exponent_end > e) {
      for (std::size_t k = e; k < exponent_end; ++k) {
        exponent = std::min(exponent * 10 + (rest[k] - '0'), 100000);
      }
      if (exponent_negative) exponent = -exponent;
      end = exponent_end;
    }
  }
  double value = 0.0;
  const std::from_chars_result result =
      std::from_chars(rest.data() + start, rest.data() + end, value, std::chars_format::general);
  if (result.ec == std::errc::result_out_of_range) {
    // Too large gives infinity and too small gives zero, as the C conversion does. The
    // magnitude is the place of the first non-zero digit plus the exponent.
    const std::string_view mantissa = rest.substr(start, mantissa_end - start);
    const std::size_t first = mantissa.find_first_of("123456789");
    const std::size_t point = std::min(mantissa.find('.'), mantissa.size());
    const long long place = first == std::string_view::npos ? 0
                            : first < point                 ? static_cast<long long>(point - first)
                                            : -static_cast<long long>(first - point - 1);
    const bool too_large = first != std::string_view::npos && place + exponent > 0;
    value = too_large ? std::numeric_limits<double>::infinity() : 0.0;
  } else if (result.ec != std::errc()) {
    value = 0.0;
  }
  return negative ? -value : value;
}

int TruncateToInt(double value) {
  if (std::isnan(value)) return 0;
  if (value >= static_cast<double>(INT_MAX)) return INT_MAX;
  if (value <= static_cast<double>(INT_MIN)) return INT_MIN;
  return static_cast<int>(value);
}

std::string ToText(int value) {
  char buffer[16];
  const auto result = std::to_chars(buffer, buffer + sizeof buffer, value);
  return std::string(buffer, result.ptr);
}

std::string ToText(double value) {
  // to_chars with a precision formats as printf "%.13g" does in the "C" locale.
  char buffer[64];
  const auto result =
      std::to_chars(buffer, buffer + sizeof buffer, value, std::chars_format::general, 13);
  return std::string(buffer, result.ptr);
}

std::string ToText(bool value) { return value ? "真" : "假"; }

int NumberFromMark(std::string_view mark) {
  return TruncateToInt(ToNumber(TextRight(mark, TextLength(mark) - 2)));
}

}  // namespace velmora
