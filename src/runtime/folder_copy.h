#pragma once

// A whole folder copied to a new place, for a Data folder that the program carries from where
// it may not write to where it may. Paths are native (UTF-8).

#include <string_view>

#include "runtime/file_result.h"

namespace velmora {

// Copies the folder from, with every file and folder in it, to the folder to, which must not
// exist yet; every file byte for byte. The copy is made under a temporary name beside to and
// renamed at the end, so that a copy cut short is never taken for the whole one; on failure
// nothing stands at to and the temporary copy is gone.
[[nodiscard]] FileResult CopyFolderTree(std::string_view from, std::string_view to);

}  // namespace velmora
