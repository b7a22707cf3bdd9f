#pragma once

// How the logic forms a path: a folder, a backslash, a name. Paths stay in this one form
// whatever the platform; the file system (file_system.h) maps the backslash to the native
// separator when it reaches the operating system.

#include <string>
#include <string_view>

namespace velmora {

inline constexpr char kPathSeparator = '\\';

// folder + "\" + name; the folder carries no trailing separator (the run directory never does).
std::string JoinPath(std::string_view folder, std::string_view name);

}  // namespace velmora
