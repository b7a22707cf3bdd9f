#pragma once

// The run directory as the file system's realisations keep it; RunDirectory and
// RunDirectoryFromExecutablePath are declared in file_system.h.

#include <string_view>

namespace velmora {

// Keeps the run directory that RunDirectory gives from now on.
void KeepRunDirectory(std::string_view run_directory);

}  // namespace velmora
