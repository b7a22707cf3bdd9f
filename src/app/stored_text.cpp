#include "app/stored_text.h"

#include <cstddef>
#include <vector>

#include "runtime/text_ops.h"

namespace velmora {

namespace {

constexpr std::string_view kLineBreakMarker = "><br><";
constexpr std::string_view kQuoteMarker = "#引号";
constexpr std::string_view kEntrySeparator = "<||>";
constexpr std::string_view kPairSeparator = "<|>";
constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kQuote = "\"";
constexpr std::string_view kTicked = "真";
constexpr std::string_view kUnticked = "假";

bool IsLeadByte(char c) { return static_cast<unsigned char>(c) >= 0x80; }

// ReplaceText for a sought text whose first byte is ASCII: matches start only at character
// starts, scanning left to right without overlaps. Tag contents run to many kilobytes, so
// unchanged stretches are copied whole.
std::string ReplaceAtCharacterStarts(std::string_view text, std::string_view sought,
                                     std::string_view replacement) {
  const std::size_t n = text.size();
  const std::size_t m = sought.size();
  std::string result;
  result.reserve(n);
  std::size_t copied = 0;
  std::size_t i = 0;
  while (i + m <= n) {
    if (IsLeadByte(text[i])) {
      if (i + 1 == n) break;  // a lone lead byte ends the scan
      i += 2;
    } else if (text[i] == sought.front() && text.substr(i, m) == sought) {
      result.append(text.substr(copied, i - copied));
      result.append(replacement);
      i += m;
      copied = i;
    } else {
      ++i;
    }
  }
  result.append(text.substr(copied));
  return result;
}

int NumberPart(std::string_view text) { return TruncateToInt(ToNumber(text)); }

}  // namespace

// In one pass what three would do: CR LF pairs at character starts become line-break markers;
// then every CR or LF left, even one behind a lead byte, becomes one too, because a raw line
// end would end the profile line and the rest would read back as keys or sections of their
// own; then double quotes at character starts become quote markers.
std::string EncodeStoredText(std::string_view text) {
  const std::size_t n = text.size();
  std::string value;
  value.reserve(n + n / 8);
  std::size_t copied = 0;
  const auto replace = [&](std::size_t at, std::size_t length, std::string_view marker) {
    value.append(text.substr(copied, at - copied));
    value.append(marker);
    copied = at + length;
  };
  for (std::size_t i = 0; i < n;) {
    const char c = text[i];
    if (IsLeadByte(c)) {
      if (i + 1 < n && (text[i + 1] == '\r' || text[i + 1] == '\n'))
        replace(i + 1, 1, kLineBreakMarker);
      i += 2;
    } else if (c == '\r' && i + 1 < n && text[i + 1] == '\n') {
      replace(i, 2, kLineBreakMarker);
      i += 2;
    } else if (c == '\r' || c == '\n') {
      replace(i, 1, kLineBreakMarker);
      ++i;
    } else if (c == '"') {
      replace(i, 1, kQuoteMarker);
      ++i;
    } else {
      ++i;
    }
  }
  if (copied < n) value.append(text.substr(copied));
  return value;
}

std::string DecodeStoredText(std::string_view value) {
  return ReplaceAtCharacterStarts(ReplaceAtCharacterStarts(value, kLineBreakMarker, kCrLf),
                                  kQuoteMarker, kQuote);
}

std::string EncodeTick(bool ticked) { return std::string(ticked ? kTicked : kUnticked); }

TickValue DecodeTick(std::string_view value) {
  if (value.empty()) return TickValue::kUnchanged;
  return value == kUnticked ? TickValue::kUnticked : TickValue::kTicked;
}

std::string EncodeComboState(const ComboState& combo) {
  std::string value;
  for (const ComboEntry& entry : combo.Entries()) {
    value += ConcatText({entry.text, kPairSeparator, ToText(entry.value), kEntrySeparator});
  }
  value += ConcatText({ToText(combo.Selection()), kPairSeparator, combo.Text()});
  return ReplaceText(value, kQuote, kQuoteMarker);
}

void DecodeComboState(std::string_view value, ComboState& combo) {
  const std::string state = ReplaceText(value, kQuoteMarker, kQuote);
  if (state.empty()) return;
  combo.Clear();
  const std::vector<std::string> pieces = SplitText(state, kEntrySeparator);
  if (pieces.empty()) return;
  for (std::size_t i = 0; i + 1 < pieces.size(); ++i) {
    combo.Add(TextBeforeSeparator(pieces[i], kPairSeparator),
              NumberPart(TextAfterSeparator(pieces[i], kPairSeparator)));
  }
  const std::string& last = pieces.back();
  combo.SetSelection(NumberPart(TextBeforeSeparator(last, kPairSeparator)));
  combo.SetText(TextAfterSeparator(last, kPairSeparator));
}

std::string TextBeforeSeparator(std::string_view text, std::string_view separator) {
  const int p = FindText(text, separator, 1, false);
  return p == -1 ? std::string() : TextLeft(text, p - 1);
}

std::string TextAfterSeparator(std::string_view text, std::string_view separator) {
  const int p = FindTextLast(text, separator, std::nullopt, false);
  if (p == -1) return {};
  return TextRight(text, TextLength(text) - TextLength(separator) - p + 1);
}

}  // namespace velmora
