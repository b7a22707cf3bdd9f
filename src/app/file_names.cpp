#include "app/file_names.h"

#include <string_view>

#include "runtime/gbk_codec.h"
#include "runtime/name_index.h"

namespace velmora {
namespace {

// Windows opens a device for these, whatever the extension and the case: what is written there
// reaches no file, yet the write succeeds.
bool IsDeviceName(std::string_view name) {
  std::string_view stem = name.substr(0, name.find('.'));
  while (!stem.empty() && stem.back() == ' ') stem.remove_suffix(1);
  for (const std::string_view device : {"con", "prn", "aux", "nul"}) {
    if (FileNameIs(stem, device)) return true;
  }
  const bool numbered = stem.size() == 4 && stem[3] >= '1' && stem[3] <= '9';
  return numbered && (FileNameIs(stem.substr(0, 3), "com") || FileNameIs(stem.substr(0, 3), "lpt"));
}

}  // namespace

// Windows compares file names as the profile reader compares names: ASCII letters without
// regard to case, GBK characters as they are.
bool FileNameIs(std::string_view name, std::string_view lower_ascii) {
  return FoldedNamesEqual(name, lower_ascii);
}

bool IsUsableFileName(std::string_view name) {
  if (name.empty() || name == "." || name == "..") return false;
  // Below, a byte from 0x80 up is taken as the first of a pair and the one after it skipped; a
  // byte that starts no character (0x80, 0xFF, a cut pair) would hide a backslash behind it
  // that the file system still takes as a folder separator.
  if (!IsValidGb18030(name)) return false;
  if (name.back() == ' ' || name.back() == '.' || IsDeviceName(name)) return false;
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
