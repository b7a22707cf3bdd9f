#include "runtime/ini_document.h"

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

// ASCII letters lowered character by character; the second byte of a GBK character stays.
std::string FoldName(std::string_view name) {
  std::string folded(name);
  for (std::size_t i = 0; i < folded.size();) {
    const std::size_t length = CharLength(folded, i);
    if (length == 1 && folded[i] >= 'A' && folded[i] <= 'Z') folded[i] += 'a' - 'A';
    i += length;
  }
  return folded;
}

std::size_t FindChar(std::string_view text, char wanted) {
  for (std::size_t i = 0; i < text.size(); i += CharLength(text, i)) {
    if (text[i] == wanted) return i;
  }
  return std::string_view::npos;
}

enum class LineKind { kOther, kSection, kKey };

struct ParsedLine {
  LineKind kind = LineKind::kOther;
  std::string_view name;   // section or key name, blanks stripped
  std::size_t equals = 0;  // position of the first "=" of a key line
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
  parsed.equals = equals;
  return parsed;
}

std::string_view ValueOf(std::string_view key_line) {
  return Unquote(StripBlanks(key_line.substr(FindChar(key_line, '=') + 1)));
}

bool HasLineBreak(std::string_view text) {
  return text.find_first_of(std::string_view("\r\n\0", 3)) != std::string_view::npos;
}

// Enclosed in double quotes when the reader would otherwise strip something of it.
std::string StoredForm(std::string_view value) {
  value = value.substr(0, value.find_first_of(std::string_view("\r\n\0", 3)));
  if (!value.empty() &&
      (IsBlank(value.front()) || IsBlank(value.back()) || IsEnclosedInQuotes(value))) {
    std::string quoted;
    quoted.reserve(value.size() + 2);
    quoted += '"';
    quoted += value;
    quoted += '"';
    return quoted;
  }
  return std::string(value);
}

}  // namespace

IniDocument::IniDocument(std::string bytes) : bytes_(std::move(bytes)) { Parse(); }

void IniDocument::Parse() {
  const char* data = bytes_.data();
  const std::size_t size = bytes_.size();
  std::size_t current = kNone;  // first occurrence of the section we are in, else kNone
  std::size_t pos = 0;
  while (pos < size) {
    // CR LF, LF and a lone CR all end a line.
    const void* cr = std::memchr(data + pos, '\r', size - pos);
    const void* lf = std::memchr(data + pos, '\n', size - pos);
    std::size_t end = size;
    if (cr != nullptr) end = static_cast<std::size_t>(static_cast<const char*>(cr) - data);
    if (lf != nullptr) {
      end = std::min(end, static_cast<std::size_t>(static_cast<const char*>(lf) - data));
    }
    std::size_t next = end;
    if (next < size)
      next += (data[next] == '\r' && next + 1 < size && data[next + 1] == '\n') ? 2 : 1;

    const std::size_t line_index = lines_.size();
    lines_.push_back(Line{pos, end - pos});
    const ParsedLine parsed = ParseLine(std::string_view(data + pos, end - pos));
    if (parsed.kind == LineKind::kSection) {
      auto [found, inserted] = section_index_.emplace(FoldName(parsed.name), sections_.size());
      current = kNone;
      if (inserted) {
        current = found->second;
        sections_.emplace_back().anchor_line = line_index;
      }
    } else if (parsed.kind == LineKind::kKey && current != kNone) {
      Section& section = sections_[current];
      section.keys.emplace(FoldName(parsed.name), KeyRef{false, line_index});
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
  if (entry.replacement != kNone) return replacements_[entry.replacement];
  return std::string_view(bytes_).substr(entry.begin, entry.size);
}

std::string_view IniDocument::KeyLineText(const Section& section, const KeyRef& key) const {
  return key.added ? std::string_view(section.added_lines[key.index]) : LineText(key.index);
}

std::optional<std::string_view> IniDocument::Find(std::string_view section,
                                                  std::string_view key) const {
  const auto found_section = section_index_.find(FoldName(StripBlanks(section)));
  if (found_section == section_index_.end()) return std::nullopt;
  const Section& entry = sections_[found_section->second];
  const auto found_key = entry.keys.find(FoldName(StripBlanks(key)));
  if (found_key == entry.keys.end()) return std::nullopt;
  return ValueOf(KeyLineText(entry, found_key->second));
}

bool IniDocument::Set(std::string_view section, std::string_view key, std::string_view value) {
  const std::string_view section_name = StripBlanks(section);
  const std::string_view key_name = StripBlanks(key);
  if (section_name.empty() || key_name.empty() || HasLineBreak(section) || HasLineBreak(key) ||
      FindChar(section, ']') != std::string_view::npos ||
      FindChar(key, '=') != std::string_view::npos || key_name.front() == '[' ||
      key_name.front() == ';') {
    return false;
  }
  const std::string stored = StoredForm(value);

  auto [found_section, section_inserted] =
      section_index_.emplace(FoldName(section_name), sections_.size());
  if (section_inserted) {
    Section added;
    added.header = "[" + std::string(section) + "]";
    sections_.push_back(std::move(added));
  }
  Section& entry = sections_[found_section->second];

  auto [found_key, key_inserted] = entry.keys.emplace(FoldName(key_name), KeyRef{});
  if (key_inserted) {
    found_key->second = KeyRef{true, entry.added_lines.size()};
    entry.added_lines.push_back(std::string(key) + "=" + stored);
    return true;
  }
  // Keep the spelling of the name already in the file: only the part after "=" changes.
  const KeyRef& ref = found_key->second;
  const std::string_view old_line = KeyLineText(entry, ref);
  std::string line(old_line.substr(0, FindChar(old_line, '=') + 1));
  line += stored;
  if (ref.added) {
    entry.added_lines[ref.index] = std::move(line);
  } else if (lines_[ref.index].replacement != kNone) {
    replacements_[lines_[ref.index].replacement] = std::move(line);
  } else {
    lines_[ref.index].replacement = replacements_.size();
    replacements_.push_back(std::move(line));
  }
  return true;
}

std::string IniDocument::Serialize() const {
  std::size_t total = bytes_.size() + 2 * lines_.size();
  for (const std::string& text : replacements_) total += text.size() + 2;
  for (const Section& section : sections_) {
    total += section.header.size() + 2;
    for (const std::string& text : section.added_lines) total += text.size() + 2;
  }
  std::string out;
  out.reserve(total);
  const auto append_lines = [&out](const std::vector<std::string>& lines) {
    for (const std::string& text : lines) {
      out += text;
      out += "\r\n";
    }
  };
  for (std::size_t i = 0; i < lines_.size(); ++i) {
    out += LineText(i);
    out += "\r\n";
    if (lines_[i].section_anchor != kNone)
      append_lines(sections_[lines_[i].section_anchor].added_lines);
  }
  for (const Section& section : sections_) {
    if (section.anchor_line != kNone) continue;
    out += section.header;
    out += "\r\n";
    append_lines(section.added_lines);
  }
  return out;
}

}  // namespace velmora
