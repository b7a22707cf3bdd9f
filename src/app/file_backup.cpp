#include "app/file_backup.h"

#include "runtime/file_system.h"
#include "runtime/text_ops.h"

namespace velmora {
namespace {

constexpr int kMostBackups = 9;

}  // namespace

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

FileResult KeepBesideAsBackup(std::string_view path, std::string_view bytes) {
  const std::string first = std::string(path) + ".bak";
  for (int number = 1; number <= kMostBackups; ++number) {
    const std::string backup = number == 1 ? first : first + ToText(number);
    if (!FileExists(backup)) return ReplaceFileAtomically(backup, bytes);
  }
  return FailureOf("keep a backup of", NativePath(path), "every backup name is taken");
}

}  // namespace velmora
