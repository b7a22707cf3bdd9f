#pragma once

// One INI profile file held in memory. Lookups follow the platform reader's habits (first
// section and first key of a name win, names compared without regard to the case of ASCII
// letters, blanks and one pair of enclosing quotes removed from a value); changes follow the
// platform writer (in place, a new key after the last key of its section, a new section at the
// end). Serialize gives the whole file with CR LF line ends.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace velmora {

class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::string bytes);

  // The value as the reader returns it; nullopt when the section or the key is missing.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;
  // False, changing nothing, for a name that could never be read back (empty after blanks,
  // holding a line break, a section name holding "]", a key holding "=" or beginning with
  // "[" or ";"). A value is cut at its first line break, where the reader would stop anyway.
  bool Set(std::string_view section, std::string_view key, std::string_view value);
  std::string Serialize() const;
  // The bytes the document was made from.
  const std::string& Source() const { return bytes_; }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  struct Line {
    std::size_t begin = 0;  // into bytes_, unless replaced
    std::size_t size = 0;
    std::size_t replacement = kNone;     // into replacements_
    std::size_t section_anchor = kNone;  // the section whose added keys follow this line
  };
  struct KeyRef {
    bool added = false;  // in the section's added_lines, else in lines_
    std::size_t index = 0;
  };
  struct Section {
    std::size_t anchor_line = kNone;  // kNone for a section added in memory
    std::string header;               // only for a section added in memory
    std::vector<std::string> added_lines;
    std::unordered_map<std::string, KeyRef> keys;  // by folded name, first occurrence
  };

  void Parse();
  std::string_view LineText(std::size_t line) const;
  std::string_view KeyLineText(const Section& section, const KeyRef& key) const;

  std::string bytes_;
  std::vector<Line> lines_;
  std::vector<std::string> replacements_;
  std::vector<Section> sections_;
  std::unordered_map<std::string, std::size_t> section_index_;  // by folded name
};

}  // namespace velmora
