#pragma once

// Where a run of the program lives: the folder that holds its Data folder and the exported
// documents, and that the open-folder command shows. A copy kept in a folder of its own runs
// portable, beside its executable; an installed program, whose folder the user cannot write,
// runs in "Velmora" inside the user's documents folder. Paths here are native (UTF-8 on Linux).

#include <string>
#include <string_view>

#include "runtime/file_result.h"

namespace velmora {

// What the platform says about this process and its user.
struct RunLocationFacts {
  std::string executable_folder;
  bool data_beside_executable = false;  // a Data folder stands in executable_folder
  bool data_folder_writable = false;
  bool executable_folder_writable = false;
  std::string documents_folder;  // empty when the user has no home folder
};

// Portable wherever the user can keep files beside the executable: in a Data folder that
// stands there and that the user may write, or, when there is none yet, in a folder that the
// user may write. Otherwise the run directory in the documents folder (empty when there is
// none), so that a Data folder that root left in an installed program's folder (a sudo
// velmora) does not take every other user's Presets where they cannot be saved.
[[nodiscard]] std::string ChooseRunDirectory(const RunLocationFacts& facts);

// The documents folder that a user-dirs.dirs file names (XDG_DOCUMENTS_DIR="$HOME/..." or an
// absolute path), or empty when the file names none.
[[nodiscard]] std::string DocumentsFolderFromUserDirs(std::string_view user_dirs,
                                                      std::string_view home);

struct RunDirectoryResult {
  std::string folder;  // absolute, without trailing separator; empty when none could be named
  // Success when the folder exists (it may have been created just now).
  FileResult ready = FileResult::Failure("cannot name a run directory: no documents folder");
  // The Data folder beside the executable that this start copied into a run directory of its
  // own, because the program may not write where it stands: empty when no copy was made or
  // tried. carried says whether the copy succeeded.
  std::string carried_data_from;
  FileResult carried = FileResult::Success();
};

// The run directory of this process, created when missing: the chosen folder when one is
// given (the --run-dir of the command line), otherwise the one ChooseRunDirectory picks. When
// that is not the executable's folder but a Data folder stands there, and the run directory
// has none yet, the Data folder is copied into it: the user's Presets come along.
[[nodiscard]] RunDirectoryResult PrepareRunDirectory(std::string_view chosen);

// The platform part.
[[nodiscard]] RunLocationFacts GatherRunLocationFacts();

}  // namespace velmora
