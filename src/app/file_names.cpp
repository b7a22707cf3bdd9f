#include "app/file_names.h"

#include <string_view>

namespace velmora {

bool IsUsableFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  if (name.back() == ' ' || name.back() == '.') return false;
  constexpr std::string_view kForbidden = "\\/:*?\"<>|";
  for (std::size_t i = 0; i < name.size(); ++i) {
    const auto byte = static_cast<unsigned char>(name[i]);
    // A lead byte takes its trail byte with it: a trail byte may equal '\' or '|'.
    if (byte >= 0x80) {
      ++i;
      continue;
    }
    if (byte < 0x20 || byte == 0x7F || kForbidden.find(static_cast<char>(byte)) != kForbidden.npos)
      return false;
  }
  return true;
}

}  // namespace velmora
