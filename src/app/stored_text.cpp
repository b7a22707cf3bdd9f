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

// A raw CR or LF would end the profile line and the rest of the text would read back as keys
// or sections of their own, so every one left after the CR LF pairs is stored as a line break
// too. This goes byte by byte: a CR or LF behind a lead byte must not slip through either.
std::string MarkLoneLineEnds(std::string value) {
  if (value.find_first_of(kCrLf) == std::string::npos) return value;
  std::string marked;
  marked.reserve(value.size() + kLineBreakMarker.size());
  for (char c : value) {
    if (c == '\r' || c == '\n') {
      marked.append(kLineBreakMarker);
    } else {
      marked.push_back(c);
    }
  }
  return marked;
}

int NumberPart(std::string_view text) { return TruncateToInt(ToNumber(text)); }

}  // namespace

std::string EncodeStoredText(std::string_view text) {
  const std::string value = MarkLoneLineEnds(ReplaceText(text, kCrLf, kLineBreakMarker));
  return ReplaceText(value, kQuote, kQuoteMarker);
}

std::string DecodeStoredText(std::string_view value) {
  return ReplaceText(ReplaceText(value, kLineBreakMarker, kCrLf), kQuoteMarker, kQuote);
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
