#include "app/file_backup.h"

#include "runtime/file_system.h"

namespace velmora {

FileBackup::FileBackup(std::string_view path)
    : path_(path), existed_(FileExists(path)), readable_(ReadWholeFile(path_, bytes_).ok()) {}

FileBackup::FileBackup(std::string_view path, const ProfileSnapshot& as_read)
    : path_(path),
      bytes_(as_read.Readable() ? as_read.Bytes() : std::string()),
      existed_(as_read.Existed()),
      readable_(as_read.Readable()) {}

FileResult FileBackup::Restore() const {
  if (readable_) return ReplaceFileAtomically(path_, bytes_);
  // Something that could not be read (a folder, say) is left alone rather than removed.
  if (existed_)
    return FailureOf("put back", NativePath(path_), "it could not be read before the change");
  if (!FileExists(path_)) return FileResult::Success();
  return RemoveFile(path_);
}

}  // namespace velmora
