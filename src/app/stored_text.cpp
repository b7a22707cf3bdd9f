#include "app/stored_text.h"

#include <cstddef>
#include <cstring>
#include <initializer_list>
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

struct Replacement {
  std::string_view sought;  // its first byte is ASCII
  std::string_view by;
};

// ReplaceText for sought texts whose first byte is ASCII: matches start only at character
// starts, scanning left to right without overlaps. Tag contents run to many kilobytes, so
// unchanged stretches are copied whole.
std::string ReplaceAtCharacterStarts(std::string_view text,
                                     std::initializer_list<Replacement> replacements) {
  const std::size_t n = text.size();
  std::string result;
  result.reserve(n);
  std::size_t copied = 0;
  std::size_t i = 0;
  while (i < n) {
    if (IsLeadByte(text[i])) {
      if (i + 1 == n) break;  // a lone lead byte ends the scan
      i += 2;
      continue;
    }
    const Replacement* match = nullptr;
    for (const Replacement& replacement : replacements) {
      if (text[i] == replacement.sought.front() &&
          text.substr(i, replacement.sought.size()) == replacement.sought)
        match = &replacement;
    }
    if (match == nullptr) {
      ++i;
      continue;
    }
    result.append(text.substr(copied, i - copied));
    result.append(match->by);
    i += match->sought.size();
    copied = i;
  }
  result.append(text.substr(copied));
  return result;
}

int NumberPart(std::string_view text) { return TruncateToInt(ToNumber(text)); }

// The length of the character at i, for finding the separators of a combo-box state. A lead
// byte takes the next byte only when that byte can be the rest of a GBK or GB18030 character:
// "<" never can, so a lone lead byte left in a hand-written list never swallows the "<" of a
// separator behind it.
bool CanFollowLeadByte(char c) {
  const auto byte = static_cast<unsigned char>(c);
  return (byte >= 0x30 && byte <= 0x39) || (byte >= 0x40 && byte != 0x7F);
}

std::size_t SeparatorScanStep(std::string_view text, std::size_t i) {
  if (!IsLeadByte(text[i]) || i + 1 >= text.size()) return 1;
  return CanFollowLeadByte(text[i + 1]) ? 2 : 1;
}

// Where the separator begins at or after from, or npos.
std::size_t FindSeparator(std::string_view text, std::string_view separator, std::size_t from) {
  // A separator that begins with a byte no lead byte takes ("<") begins a character wherever
  // it occurs, so a plain search finds what the scan would, at memchr speed: a damaged list
  // can run to megabytes.
  if (!CanFollowLeadByte(separator.front())) return text.find(separator, from);
  for (std::size_t i = from; i + separator.size() <= text.size(); i += SeparatorScanStep(text, i)) {
    if (text[i] == separator.front() && text.substr(i, separator.size()) == separator) return i;
  }
  return std::string_view::npos;
}

// Where the last separator begins, or npos.
std::size_t FindLastSeparator(std::string_view text, std::string_view separator) {
  std::size_t last = std::string_view::npos;
  for (std::size_t at = FindSeparator(text, separator, 0); at != std::string_view::npos;
       at = FindSeparator(text, separator, at + separator.size())) {
    last = at;
  }
  return last;
}

std::string_view BeforeSeparator(std::string_view text, std::string_view separator) {
  const std::size_t at = FindSeparator(text, separator, 0);
  return at == std::string_view::npos ? std::string_view() : text.substr(0, at);
}

std::string_view AfterSeparator(std::string_view text, std::string_view separator) {
  const std::size_t at = FindLastSeparator(text, separator);
  return at == std::string_view::npos ? std::string_view() : text.substr(at + separator.size());
}

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

bool IsStoredAsItStands(std::string_view text) {
  // Only line breaks and double quotes are replaced, wherever they stand.
  for (const char c : {'\r', '\n', '"'}) {
    if (std::memchr(text.data(), c, text.size()) != nullptr) return false;
  }
  return true;
}

std::string DecodeStoredText(std::string_view value) {
  // The two markers share no byte, so one pass that replaces either is the same as one pass
  // for each, without a second copy of a long text.
  return ReplaceAtCharacterStarts(value, {{kLineBreakMarker, kCrLf}, {kQuoteMarker, kQuote}});
}

std::string EncodeTick(bool ticked) { return std::string(ticked ? kTicked : kUnticked); }

TickValue DecodeTick(std::string_view value) {
  if (value.empty()) return TickValue::kUnchanged;
  return value == kUnticked ? TickValue::kUnticked : TickValue::kTicked;
}

std::string EncodeComboState(const ComboState& combo) {
  // Built in one buffer and scanned for quotes only when there is one: a damaged list can run
  // to megabytes.
  // The selected entry's text, without a copy of it.
  const int selection = combo.Selection();
  const std::string_view text =
      selection >= 0 && selection < combo.Count()
          ? std::string_view(combo.Entries()[static_cast<std::size_t>(selection)].text)
          : std::string_view();
  std::size_t size = text.size() + 16;
  for (const ComboEntry& entry : combo.Entries()) size += entry.text.size() + 20;
  std::string value;
  value.reserve(size);
  for (const ComboEntry& entry : combo.Entries()) {
    value += entry.text;
    value += kPairSeparator;
    value += ToText(entry.value);
    value += kEntrySeparator;
  }
  value += ToText(combo.Selection());
  value += kPairSeparator;
  value += text;
  if (value.find('"') == std::string::npos) return value;
  return ReplaceText(value, kQuote, kQuoteMarker);
}

void DecodeComboState(std::string_view value, ComboState& combo) {
  // A damaged list can run to megabytes: it is taken apart in place rather than copied piece
  // by piece.
  std::string unquoted;
  if (value.find(kQuoteMarker) != std::string_view::npos) {
    unquoted = ReplaceText(value, kQuoteMarker, kQuote);
    value = unquoted;
  }
  if (value.empty()) return;
  combo.Clear();
  // Pieces between entry separators, without the empty one after a last separator: every
  // piece but the last is an entry, the last holds the selection and the text.
  const std::size_t trailing = FindLastSeparator(value, kEntrySeparator);
  if (trailing != std::string_view::npos && trailing + kEntrySeparator.size() == value.size())
    value = value.substr(0, trailing);
  const std::size_t last = FindLastSeparator(value, kEntrySeparator);
  if (last != std::string_view::npos) {
    const std::string_view entries = value.substr(0, last);
    for (std::size_t start = 0;;) {
      const std::size_t end = FindSeparator(entries, kEntrySeparator, start);
      const std::string_view piece = entries.substr(start, end - start);
      combo.Add(BeforeSeparator(piece, kPairSeparator),
                NumberPart(AfterSeparator(piece, kPairSeparator)));
      if (end == std::string_view::npos) break;
      start = end + kEntrySeparator.size();
    }
  }
  const std::string_view state =
      last == std::string_view::npos ? value : value.substr(last + kEntrySeparator.size());
  // The stored text after the selection is the box's text, which a drop-down list takes from
  // its selected entry.
  combo.SetSelection(NumberPart(BeforeSeparator(state, kPairSeparator)));
}

std::string TextBeforeSeparator(std::string_view text, std::string_view separator) {
  return std::string(BeforeSeparator(text, separator));
}

std::string TextAfterSeparator(std::string_view text, std::string_view separator) {
  return std::string(AfterSeparator(text, separator));
}

bool StoredTextComesBack(std::string_view text) {
  return text.empty() || (text.find('\0') == std::string_view::npos &&
                          DecodeStoredText(EncodeStoredText(text)) == text);
}

}  // namespace velmora
