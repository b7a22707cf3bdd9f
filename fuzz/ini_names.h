#pragma once

// The names a profile file's lines could hold, read without the INI document, so that a fuzz
// target can ask the document about each of them and compare.

#include <cstddef>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace velmora::fuzz {

inline std::string_view Strip(std::string_view text) {
  while (!text.empty() && static_cast<unsigned char>(text.front()) <= 0x20) text.remove_prefix(1);
  while (!text.empty() && static_cast<unsigned char>(text.back()) <= 0x20) text.remove_suffix(1);
  return text;
}

// Every (section, key) the lines could name, found roughly: the document decides what they are.
inline std::vector<std::pair<std::string, std::string>> Names(std::string_view file) {
  std::vector<std::pair<std::string, std::string>> names;
  std::string section;
  std::size_t start = 0;
  while (start <= file.size()) {
    std::size_t end = file.find_first_of("\r\n", start);
    if (end == std::string_view::npos) end = file.size();
    const std::string_view line = Strip(file.substr(start, end - start));
    if (!line.empty() && line.front() == '[') {
      section = std::string(Strip(line.substr(1, line.find(']') - 1)));
    } else if (const std::size_t equals = line.find('='); equals != std::string_view::npos) {
      names.emplace_back(section, std::string(Strip(line.substr(0, equals))));
    }
    start = end + 1;
  }
  return names;
}

}  // namespace velmora::fuzz
