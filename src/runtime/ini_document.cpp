#include "runtime/ini_document.h"

#include <algorithm>
#include <cstring>

namespace velmora {
namespace {

bool IsBlank(char c) { return static_cast<unsigned char>(c) <= 0x20; }

// A byte of 0x80 or above starts a two-byte character.
std::size_t CharLength(std::string_view text, std::size_t i) {
  return (static_cast<unsigned char>(text[i]) >= 0x80 && i + 1 < text.size()) ? 2 : 1;
}

std::string_view StripBlanks(std::string_view text) {
  while (!text.empty() && IsBlank(text.front())) text.remove_prefix(1);
  while (!text.empty() && IsBlank(text.back())) text.remove_suffix(1);
  return text;
}

bool IsEnclosedInQuotes(std::string_view text) {
  return text.size() >= 2 && (text.front() == '"' || text.front() == '\'') &&
         text.back() == text.front();
}

std::string_view Unquote(std::string_view text) {
  return IsEnclosedInQuotes(text) ? text.substr(1, text.size() - 2) : text;
}

std::size_t FindChar(std::string_view text, char wanted) {
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    if (text[i] == wanted) return i;
  }
  return std::string_view::npos;
}

// A name whose last character is a lone lead byte would swallow the "]" or "=" written after it.
bool EndsInLeadByte(std::string_view name) {
  std::size_t i = 0;
  while (i + 1 < name.size()) i += CharLength(name, i);
  return i + 1 == name.size() && static_cast<unsigned char>(name[i]) >= 0x80;
}

enum class LineKind { kOther, kSection, kKey };

struct ParsedLine {
  LineKind kind = LineKind::kOther;
  std::string_view name;        // section or key name, blanks stripped
  std::size_t value_start = 0;  // a key line's: just after its first "="
};

ParsedLine ParseLine(std::string_view line) {
  ParsedLine parsed;
  std::size_t start = 0;
  while (start < line.size() && IsBlank(line[start])) ++start;
  if (start == line.size() || line[start] == ';') return parsed;
  if (line[start] == '[') {
    // Whatever follows the "]" is ignored.
    const std::string_view rest = line.substr(start + 1);
    parsed.kind = LineKind::kSection;
    parsed.name = StripBlanks(rest.substr(0, FindChar(rest, ']')));
    return parsed;
  }
  const std::size_t equals = FindChar(line, '=');
  if (equals == std::string_view::npos) return parsed;
  parsed.name = StripBlanks(line.substr(0, equals));
  if (parsed.name.empty()) return parsed;
  parsed.kind = LineKind::kKey;
  parsed.value_start = equals + 1;
  return parsed;
}

// The platform reader hands out a zero-terminated copy, so a NUL (as a block of zeros left by
// a crash puts there) ends the value for every caller; the writer cuts there too.
std::string_view ValueOf(std::string_view stored) {
  const std::string_view value = Unquote(StripBlanks(stored));
  return value.substr(0, value.find('\0'));
}

// The first CR, LF or NUL, where a reader's line ends; npos when none. Each search stops at
// the best hit so far, so a long value is scanned once, at memchr speed.
std::size_t FirstLineBreak(std::string_view text) {
  std::size_t end = text.size();
  for (const char c : {'\r', '\n', '\0'}) {
    const void* hit = std::memchr(text.data(), c, end);
    if (hit != nullptr) end = static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
  }
  return end == text.size() ? std::string_view::npos : end;
}

bool HasLineBreak(std::string_view text) { return FirstLineBreak(text) != std::string_view::npos; }

// A value is enclosed in double quotes when the reader would otherwise strip something of it.
bool NeedsEnclosing(std::string_view text) {
  return !text.empty() &&
         (IsBlank(text.front()) || IsBlank(text.back()) || IsEnclosedInQuotes(text));
}

// Whether a line's text after "=" is exactly what writing text would put there.
bool HoldsStored(std::string_view stored, std::string_view text, bool enclosed) {
  if (!enclosed) return stored == text;
  return stored.size() == text.size() + 2 && stored.front() == '"' && stored.back() == '"' &&
         stored.substr(1, text.size()) == text;
}

// Collects output pieces, joining one that starts where the last one ends.
class PieceList {
 public:
  void Add(std::string_view piece) {
    if (piece.empty()) return;
    if (!pieces_.empty() && pieces_.back().data() + pieces_.back().size() == piece.data()) {
      pieces_.back() =
          std::string_view(pieces_.back().data(), pieces_.back().size() + piece.size());
    } else {
      pieces_.push_back(piece);
    }
  }
  std::vector<std::string_view> Take() { return std::move(pieces_); }

 private:
  std::vector<std::string_view> pieces_;
};

constexpr std::string_view kCrLf = "\r\n";
constexpr std::string_view kQuote = "\"";

// The first c at or after pos; the text's size when there is none.
std::size_t FindByte(std::string_view text, char c, std::size_t pos) {
  const void* hit = std::memchr(text.data() + pos, c, text.size() - pos);
  return hit == nullptr ? text.size()
                        : static_cast<std::size_t>(static_cast<const char*>(hit) - text.data());
}

}  // namespace

IniDocument::IniDocument(std::string bytes)
    : bytes_(std::make_unique<const std::string>(std::move(bytes))) {
  Parse();
}

void IniDocument::Parse() {
  const std::string_view text(*bytes_);
  const std::size_t size = text.size();
  std::size_t current = kNone;  // first occurrence of the section we are in, else kNone
  // The next CR and the next LF are found with memchr, each searched again only once passed,
  // so that a file without one of them is not scanned to its end for every line.
  std::size_t next_cr = FindByte(text, '\r', 0);
  std::size_t next_lf = FindByte(text, '\n', 0);
  std::size_t pos = 0;
  while (pos < size) {
    // CR LF, LF and a lone CR all end a line.
    if (next_cr < pos) next_cr = FindByte(text, '\r', pos);
    if (next_lf < pos) next_lf = FindByte(text, '\n', pos);
    const std::size_t end = std::min(next_cr, next_lf);
    std::size_t next = end;
    if (next < size)
      next += (text[next] == '\r' && next + 1 < size && text[next + 1] == '\n') ? 2 : 1;

    const std::size_t line_index = lines_.size();
    Line& added = lines_.emplace_back();
    added.begin = pos;
    added.size = end - pos;
    const ParsedLine parsed = ParseLine(text.substr(pos, end - pos));
    if (parsed.kind == LineKind::kSection) {
      const auto [found, inserted] = section_index_.Insert(parsed.name, sections_.size());
      current = kNone;
      if (inserted) {
        current = *found;
        sections_.emplace_back().anchor_line = line_index;
      }
    } else if (parsed.kind == LineKind::kKey && current != kNone) {
      added.value_start = parsed.value_start;
      // Taken while the line is still in the cache: a lookup then touches no value bytes.
      added.value.text =
          ValueOf(text.substr(pos + parsed.value_start, end - pos - parsed.value_start));
      Section& section = sections_[current];
      section.keys.Insert(parsed.name, KeyRef{false, line_index});
      section.anchor_line = line_index;
    }
    pos = next;
  }
  // New keys go after the last key line of their section, or after its header.
  for (std::size_t i = 0; i < sections_.size(); ++i)
    lines_[sections_[i].anchor_line].section_anchor = i;
}

std::string_view IniDocument::LineText(std::size_t line) const {
  const Line& entry = lines_[line];
  return std::string_view(*bytes_).substr(entry.begin, entry.size);
}

std::optional<std::string_view> IniDocument::Find(std::string_view section,
                                                  std::string_view key) const {
  const std::size_t* found_section = section_index_.Find(StripBlanks(section));
  if (found_section == nullptr) return std::nullopt;
  const Section& entry = sections_[*found_section];
  const KeyRef* found_key = entry.keys.Find(StripBlanks(key));
  if (found_key == nullptr) return std::nullopt;
  const KeyRef& ref = *found_key;
  // A value set here reads back as it was given (cut at a line break): that is what its
  // stored form is for.
  if (ref.added) return entry.added_lines[ref.index].value.text;
  return lines_[ref.index].value.text;
}

bool IniDocument::HasSection(std::string_view section) const {
  return section_index_.Find(StripBlanks(section)) != nullptr;
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view section_name = StripBlanks(section);
  const std::string_view key_name = StripBlanks(key);
  if (section_name.empty() || key_name.empty() || HasLineBreak(section) || HasLineBreak(key) ||
      FindChar(section, ']') != std::string_view::npos ||
      FindChar(key, '=') != std::string_view::npos || key_name.front() == '[' ||
      key_name.front() == ';' || EndsInLeadByte(section) || EndsInLeadByte(key)) {
    return false;
  }
  Value stored;
  stored.text = value.substr(0, FirstLineBreak(value));
  stored.enclosed = NeedsEnclosing(stored.text);

  const auto [found_section, section_inserted] =
      section_index_.Insert(section_name, sections_.size());
  if (section_inserted) sections_.emplace_back().name = section;
  Section& entry = sections_[*found_section];

  const auto [found_key, key_inserted] =
      entry.keys.Insert(key_name, KeyRef{true, entry.added_lines.size()});
  if (key_inserted) {
    entry.added_lines.push_back(AddedLine{key, stored});
    return true;
  }
  const KeyRef ref = *found_key;
  if (ref.added) {
    entry.added_lines[ref.index].value = stored;
    return true;
  }
  // Keep the spelling of the name already in the file: only the part after "=" changes, and
  // a line that already holds the value stays as it is.
  Line& line = lines_[ref.index];
  if (!line.replaced) {
    const std::string_view old_value = LineText(ref.index).substr(line.value_start);
    if (HoldsStored(old_value, stored.text, stored.enclosed)) return true;
    line.replaced = true;
  }
  line.value = stored;
  return true;
}

std::vector<std::string_view> IniDocument::Pieces() const {
  PieceList pieces;
  const auto add_value = [&pieces](const Value& value) {
    if (value.enclosed) pieces.Add(kQuote);
    pieces.Add(value.text);
    if (value.enclosed) pieces.Add(kQuote);
    pieces.Add(kCrLf);
  };
  const auto add_added_lines = [&](const Section& section) {
    for (const AddedLine& added : section.added_lines) {
      pieces.Add(added.key);
      pieces.Add("=");
      add_value(added.value);
    }
  };
  const std::string_view bytes(*bytes_);
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    const Line& line = lines_[i];
    if (line.replaced) {
      pieces.Add(bytes.substr(line.begin, line.value_start));
      add_value(line.value);
    } else if (bytes.substr(line.begin + line.size, 2) == kCrLf) {
      // An unchanged line that already ends in CR LF is taken whole with its line end.
      pieces.Add(bytes.substr(line.begin, line.size + 2));
    } else {
      pieces.Add(bytes.substr(line.begin, line.size));
      pieces.Add(kCrLf);
    }
    if (line.section_anchor != kNone) add_added_lines(sections_[line.section_anchor]);
  }
  for (const Section& section : sections_) {
    if (section.anchor_line != kNone) continue;
    pieces.Add("[");
    pieces.Add(section.name);
    pieces.Add("]");
    pieces.Add(kCrLf);
    add_added_lines(section);
  }
  return pieces.Take();
}

}  // namespace velmora
