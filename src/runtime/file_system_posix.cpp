#include "runtime/file_system.h"

#include <fcntl.h>
#include <glob.h>
#include <limits.h>
#include <sys/stat.h>
#include <sys/uio.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/file_faults.h"
#include "runtime/gbk_codec.h"
#include "runtime/run_directory.h"

namespace velmora {
namespace {

// Closes the descriptor it owns; release() hands it over for a checked close.
class FileDescriptor {
 public:
  explicit FileDescriptor(int fd) : fd_(fd) {}
  FileDescriptor(const FileDescriptor&) = delete;
  FileDescriptor& operator=(const FileDescriptor&) = delete;
  ~FileDescriptor() {
    if (fd_ >= 0) close(fd_);
  }
  int get() const { return fd_; }
  bool valid() const { return fd_ >= 0; }
  int release() {
    const int fd = fd_;
    fd_ = -1;
    return fd;
  }

 private:
  int fd_;
};

// Removes the temporary file unless it was renamed into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::string path) : path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!path_.empty()) unlink(path_.c_str());
  }
  const std::string& path() const { return path_; }
  void Keep() { path_.clear(); }

 private:
  std::string path_;
};

// A file the user made read-only stays as it is, as on Windows, where neither a replacement nor
// a deletion gets past the attribute. The mode bits are asked as well as access(), which grants
// everything to root.
bool IsReadOnly(const std::string& native, const struct stat& info) {
  return (info.st_mode & 0222) == 0 || (access(native.c_str(), W_OK) != 0 && errno == EACCES);
}

// The cause of a failure that errno describes: what was done, to which file, and why. A file
// busy in another program's use is held by it.
FileResult Failed(std::string_view doing, std::string_view native, int error) {
  FileResult failure = FailureOf(doing, native, std::strerror(error));
  if (error == ETXTBSY || error == EBUSY)
    return FileResult::Held(failure.cause(), std::string(native));
  return failure;
}

bool HasWildcard(std::string_view path) { return path.find_first_of("*?") != std::string::npos; }

// Only "*" and "?" are wildcards in our paths; every other glob special is escaped.
std::string GlobPattern(std::string_view native) {
  std::string pattern;
  for (char c : native) {
    if (c == '[' || c == ']' || c == '\\') pattern += '\\';
    pattern += c;
  }
  return pattern;
}

bool AnythingMatches(const std::string& native) {
  glob_t found{};
  const int result = glob(GlobPattern(native).c_str(), GLOB_NOSORT | GLOB_PERIOD, nullptr, &found);
  const bool any = result == 0 && found.gl_pathc > 0;
  globfree(&found);
  return any;
}

// Writes every piece, in as few calls as the system allows, resuming after short writes.
FileResult WriteAll(int fd, const std::string& native, std::span<const std::string_view> pieces) {
  std::vector<iovec> chunks;
  chunks.reserve(pieces.size());
  for (const std::string_view piece : pieces) {
    if (!piece.empty()) chunks.push_back({const_cast<char*>(piece.data()), piece.size()});
  }
  std::size_t first = 0;
  while (first < chunks.size()) {
    const int count = static_cast<int>(std::min<std::size_t>(chunks.size() - first, IOV_MAX));
    if (FileCallFails(FileCall::kWrite)) return Failed("write", native, errno);
    const ssize_t written = writev(fd, chunks.data() + first, count);
    if (written < 0) {
      if (errno == EINTR) continue;
      return Failed("write", native, errno);
    }
    auto left = static_cast<std::size_t>(written);
    while (first < chunks.size() && left >= chunks[first].iov_len) left -= chunks[first++].iov_len;
    if (left > 0) {
      chunks[first].iov_base = static_cast<char*>(chunks[first].iov_base) + left;
      chunks[first].iov_len -= left;
    }
  }
  return FileResult::Success();
}

// Makes a rename in the folder durable. The new bytes are in place either way, so a failure
// here does not fail the write, and its result is dropped.
void SyncFolderOf(const std::string& target) {
  const std::size_t slash = target.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : target.substr(0, slash + 1);
  const FileDescriptor descriptor(open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (descriptor.valid()) static_cast<void>(fsync(descriptor.get()));
}

// A new file in the target's folder, created exclusively so that nothing else is overwritten.
// Its name is short and fixed in length, so it fits wherever the target's name fits. -1, with
// errno set, when none could be made.
int CreateTemporaryBeside(const std::string& target, std::string& temp_path) {
  static unsigned counter = 0;
  const std::string folder = target.substr(0, target.rfind('/') + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_path = folder + ".~" + std::to_string(getpid()) + "-" + std::to_string(++counter) + ".tmp";
    if (FileCallFails(FileCall::kCreate)) return -1;
    const int fd = open(temp_path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0 || errno != EEXIST) return fd;
  }
  errno = EEXIST;
  return -1;
}

}  // namespace

FileResult SetRunDirectory(std::string_view run_directory) {
  KeepRunDirectory(run_directory);
  const std::string native = NativePath(run_directory);
  if (chdir(native.c_str()) != 0) return Failed("enter the folder", native, errno);
  return FileResult::Success();
}

std::string NativePath(std::string_view path) {
  // Convert first: after conversion a 0x5C byte can only be a real backslash.
  std::string native = GbkToUtf8(path);
  for (char& c : native) {
    if (c == '\\') c = '/';
  }
  return native;
}

bool FileExists(std::string_view path) {
  if (path.empty()) return false;
  const std::string native = NativePath(path);
  if (HasWildcard(native)) return AnythingMatches(native);
  struct stat info {};
  return stat(native.c_str(), &info) == 0;
}

FileResult MakeDirectory(std::string_view path) {
  if (path.empty()) return UnnamedFailure("make");
  const std::string native = NativePath(path);
  if (FileCallFails(FileCall::kMakeFolder) || mkdir(native.c_str(), 0777) != 0)
    return Failed("make the folder", native, errno);
  return FileResult::Success();
}

FileResult RemoveFile(std::string_view path) {
  if (path.empty()) return UnnamedFailure("remove");
  const std::string native = NativePath(path);
  struct stat info {};
  if (lstat(native.c_str(), &info) != 0) return Failed("remove", native, errno);
  if (S_ISDIR(info.st_mode)) return Failed("remove", native, EISDIR);
  if (S_ISREG(info.st_mode) && IsReadOnly(native, info)) return Failed("remove", native, EACCES);
  if (FileCallFails(FileCall::kRemove) || unlink(native.c_str()) != 0)
    return Failed("remove", native, errno);
  return FileResult::Success();
}

FileResult RenameFile(std::string_view old_path, std::string_view new_path) {
  if (old_path.empty() || new_path.empty()) return UnnamedFailure("rename");
  const std::string from = NativePath(old_path);
  const std::string to = NativePath(new_path);
  const std::string both = from + " to " + to;
  if (FileCallFails(FileCall::kRename)) return Failed("rename", both, errno);
  if (renameat2(AT_FDCWD, from.c_str(), AT_FDCWD, to.c_str(), RENAME_NOREPLACE) == 0)
    return FileResult::Success();
  if (errno != EINVAL && errno != ENOSYS) return Failed("rename", both, errno);
  // A file system without the no-replace rename: a hard link fails when the new name exists.
  struct stat info {};
  if (lstat(from.c_str(), &info) != 0) return Failed("rename", both, errno);
  if (!S_ISDIR(info.st_mode)) {
    if (link(from.c_str(), to.c_str()) != 0) return Failed("rename", both, errno);
    if (unlink(from.c_str()) == 0) return FileResult::Success();
    const int error = errno;
    // The link is taken back so that the file keeps its one name; the unlink's error is the
    // cause that counts.
    static_cast<void>(unlink(to.c_str()));
    return Failed("rename", both, error);
  }
  if (lstat(to.c_str(), &info) == 0) return Failed("rename", both, EEXIST);
  if (errno != ENOENT) return Failed("rename", both, errno);
  if (rename(from.c_str(), to.c_str()) != 0) return Failed("rename", both, errno);
  return FileResult::Success();
}

FileResult ReadWholeFile(std::string_view path, std::string& bytes) {
  bytes.clear();
  if (path.empty()) return UnnamedFailure("read");
  const std::string native = NativePath(path);
  const FileDescriptor file(open(native.c_str(), O_RDONLY | O_CLOEXEC));
  struct stat info {};
  if (!file.valid() || fstat(file.get(), &info) != 0) return Failed("read", native, errno);
  if (!S_ISREG(info.st_mode))
    return Failed("read", native, S_ISDIR(info.st_mode) ? EISDIR : EINVAL);
  // One byte more than the size, so that the read which finds the end needs no regrowth.
  std::string content(static_cast<size_t>(info.st_size) + 1, '\0');
  size_t filled = 0;
  for (;;) {
    if (filled == content.size()) content.resize(content.size() + 4096);
    const ssize_t got = read(file.get(), content.data() + filled, content.size() - filled);
    if (got < 0) {
      if (errno == EINTR) continue;
      return Failed("read", native, errno);
    }
    if (got == 0) break;
    filled += static_cast<size_t>(got);
    // A regular file reads short only at its end: the size it had is in, and nothing more
    // came, so the read that would return nothing can be spared.
    if (filled >= static_cast<size_t>(info.st_size) && filled < content.size()) break;
  }
  content.resize(filled);
  bytes = std::move(content);
  return FileResult::Success();
}

FileResult ReplaceFileAtomically(std::string_view path, std::string_view bytes) {
  return ReplaceFileAtomically(path, std::span<const std::string_view>(&bytes, 1));
}

FileResult ReplaceFileAtomically(std::string_view path, std::span<const std::string_view> pieces) {
  if (path.empty()) return UnnamedFailure("replace");
  const std::string target = NativePath(path);
  struct stat old_info {};
  const bool replacing = stat(target.c_str(), &old_info) == 0 && S_ISREG(old_info.st_mode);
  if (replacing && IsReadOnly(target, old_info)) return Failed("replace", target, EACCES);
  std::string temp_path;
  FileDescriptor file(CreateTemporaryBeside(target, temp_path));
  if (!file.valid()) return Failed("create a temporary file beside", target, errno);
  TemporaryFile temp(temp_path);
  // The mode is the old file's where the system allows; a new file with the default mode
  // is no failure.
  if (replacing) static_cast<void>(fchmod(file.get(), old_info.st_mode & 07777));
  if (FileResult written = WriteAll(file.get(), target, pieces); !written) return written;
  if (FileCallFails(FileCall::kSync) || fsync(file.get()) != 0)
    return Failed("flush", target, errno);
  if (FileCallFails(FileCall::kClose) || close(file.release()) != 0)
    return Failed("close", target, errno);
  if (FileCallFails(FileCall::kRename) || rename(temp.path().c_str(), target.c_str()) != 0)
    return Failed("replace", target, errno);
  temp.Keep();
  SyncFolderOf(target);
  return FileResult::Success();
}

}  // namespace velmora
