#pragma once

#include <string>
#include <string_view>

namespace velmora {

std::string DataFolderPath();                       // run directory + "\Data"
std::string ConfigFilePath();                       // run directory + "\Data\config.ini"
std::string PresetFilePath(std::string_view name);  // run directory + "\Data\" + name + ".ini"

}  // namespace velmora
