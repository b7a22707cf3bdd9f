#include "runtime/file_system.h"

#include <string>

#include "runtime/run_directory.h"

namespace velmora {

namespace {

std::string& StoredRunDirectory() {
  static std::string run_directory;
  return run_directory;
}

}  // namespace

void KeepRunDirectory(std::string_view run_directory) {
  StoredRunDirectory() = std::string(run_directory);
}

std::string RunDirectoryFromExecutablePath(std::string_view executable_path) {
  // Walk characters: the second byte of a GBK character may be 0x5C and is no separator.
  size_t last_backslash = std::string_view::npos;
  for (size_t i = 0; i < executable_path.size();) {
    const auto byte = static_cast<unsigned char>(executable_path[i]);
    if (byte == '\\') last_backslash = i;
    i += (byte >= 0x80 && i + 1 < executable_path.size()) ? 2 : 1;
  }
  if (last_backslash == std::string_view::npos) return {};
  return std::string(executable_path.substr(0, last_backslash));
}

std::string RunDirectory() { return StoredRunDirectory(); }

}  // namespace velmora
