#include "app/file_backup.h"

#include "runtime/file_system.h"

namespace velmora {

FileBackup::FileBackup(std::string_view path)
    : path_(path), existed_(FileExists(path)), readable_(ReadWholeFile(path_, bytes_)) {}

bool FileBackup::Restore() const {
  if (readable_) return ReplaceFileAtomically(path_, bytes_);
  // Something that could not be read (a folder, say) is left alone rather than removed.
  if (existed_) return false;
  return !FileExists(path_) || RemoveFile(path_);
}

}  // namespace velmora
