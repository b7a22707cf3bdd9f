#include "app/file_names.h"

#include <string_view>

#include "runtime/gbk_codec.h"

namespace velmora {

bool IsUsableFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  // Below, a byte from 0x80 up is taken as the first of a pair and the one after it skipped; a
  // byte that starts no character (0x80, 0xFF, a cut pair) would hide a backslash behind it
  // that the file system still takes as a folder separator.
  if (!IsValidGb18030(name)) return false;
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
