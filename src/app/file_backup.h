#pragma once

// A file's bytes as they were before a command changed it, to put back when a later step of
// the same command fails, so that a failed command leaves every file as it was.

#include <string>
#include <string_view>

#include "runtime/profile_store.h"

namespace velmora {

class FileBackup {
 public:
  explicit FileBackup(std::string_view path);
  // From a reading already made, so that the file is not read a second time.
  FileBackup(std::string_view path, const ProfileSnapshot& as_read);
  // Puts the old bytes back, or removes the file when there was none.
  FileResult Restore() const;

 private:
  std::string path_;
  std::string bytes_;
  bool existed_ = false;
  bool readable_ = false;
};

// Writes the bytes beside the file as "<file>.bak" (or ".bak2" up to ".bak9" when that is
// taken), where the user finds them again; the old file is left to the caller.
FileResult KeepBesideAsBackup(std::string_view path, std::string_view bytes);

}  // namespace velmora
