#pragma once

// One INI profile file held in memory. Lookups follow the platform reader's habits (first
// section and first key of a name win, names compared without regard to the case of ASCII
// letters, blanks and one pair of enclosing quotes removed from a value); changes follow the
// platform writer (in place, a new key after the last key of its section, a new section at the
// end). The file is written back with CR LF line ends.

#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/name_index.h"

namespace velmora {

class IniDocument {
 public:
  IniDocument() = default;
  explicit IniDocument(std::string bytes);

  // The value as the reader returns it; nullopt when the section or the key is missing.
  std::optional<std::string_view> Find(std::string_view section, std::string_view key) const;
  bool HasSection(std::string_view section) const;
  // False, changing nothing, for a name that could never be read back (empty after blanks,
  // holding a line break, a section name holding "]", a key holding "=" or beginning with
  // "[" or ";", a name ending in a lone lead byte). A value is cut at its first line break, where
  // the reader would stop anyway. Nothing is copied: the section, key and value must outlive the
  // document.
  bool Set(std::string_view section, std::string_view key, std::string_view value);
  // The whole file with CR LF line ends, as pieces to be written one after another; pieces
  // that lie next to each other in memory are joined.
  std::vector<std::string_view> Pieces() const;
  // The bytes the document was made from.
  const std::string& Source() const { return *bytes_; }

 private:
  static constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  // A value as written after "=": enclosed in double quotes when the reader would otherwise
  // strip something of it.
  struct Value {
    std::string_view text;
    bool enclosed = false;
  };
  struct Line {
    std::size_t begin = 0;  // into bytes_
    std::size_t size = 0;
    std::size_t value_start = kNone;     // a key line's: where its value begins, after "="
    bool replaced = false;               // value replaces what follows value_start
    Value value;                         // a key line's value as read, or what replaces it
    std::size_t section_anchor = kNone;  // the section whose added keys follow this line
  };
  struct AddedLine {
    std::string_view key;
    Value value;
  };
  struct KeyRef {
    bool added = false;  // in the section's added_lines, else in lines_
    std::size_t index = 0;
  };
  struct Section {
    std::size_t anchor_line = kNone;  // kNone for a section added in memory
    std::string_view name;            // only for a section added in memory
    std::vector<AddedLine> added_lines;
    NameIndex<KeyRef> keys;  // first occurrence of each name
  };

  void Parse();
  std::string_view LineText(std::size_t line) const;

  // Held apart so that the views into them survive a move of the document.
  std::unique_ptr<const std::string> bytes_ = std::make_unique<const std::string>();
  std::vector<Line> lines_;
  std::vector<Section> sections_;
  NameIndex<std::size_t> section_index_;  // first occurrence of each name
};

}  // namespace velmora
