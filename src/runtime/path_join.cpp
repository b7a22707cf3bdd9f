#include "runtime/path_join.h"

namespace velmora {

std::string JoinPath(std::string_view folder, std::string_view name) {
  std::string path;
  path.reserve(folder.size() + 1 + name.size());
  path.append(folder);
  path += kPathSeparator;
  path.append(name);
  return path;
}

}  // namespace velmora
