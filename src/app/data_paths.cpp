#include "app/data_paths.h"

#include "runtime/file_system.h"
#include "runtime/path_join.h"
#include "runtime/text_ops.h"

namespace velmora {

std::string DataFolderPath() { return JoinPath(RunDirectory(), "Data"); }

std::string ConfigFilePath() { return JoinPath(DataFolderPath(), "config.ini"); }

std::string PresetFilePath(std::string_view name) {
  return JoinPath(DataFolderPath(), ConcatText({name, ".ini"}));
}

}  // namespace velmora
