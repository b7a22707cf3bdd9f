#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "runtime/run_directory_lock.h"
#include "runtime/utf8_path.h"

namespace velmora {

RunDirectoryLock::~RunDirectoryLock() {
  if (held()) close(handle_);
}

FileResult RunDirectoryLock::Take(std::string_view folder) {
  held_elsewhere_ = false;
  const std::string name(folder);
  // The folder itself carries the lock, so that no lock file stands among the user's files.
  // flock() belongs to this open folder alone: a second program, or a second Take in this one,
  // is refused, and the lock goes when the process ends however it ends.
  const int handle = open(name.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (handle < 0) return FailureOf("open the run directory", name, std::strerror(errno));
  if (flock(handle, LOCK_EX | LOCK_NB) != 0) {
    const int error = errno;
    close(handle);
    held_elsewhere_ = error == EWOULDBLOCK;
    return FailureOf("lock the run directory", name,
                     held_elsewhere_ ? "another Velmora is working in it" : std::strerror(error));
  }
  if (held()) close(handle_);
  handle_ = handle;
  return FileResult::Success();
}

std::string RunDirectoryKey(std::string_view folder) {
  std::error_code error;
  std::filesystem::path path = std::filesystem::weakly_canonical(PathFromUtf8(folder), error);
  if (error) path = std::filesystem::absolute(PathFromUtf8(folder), error).lexically_normal();
  // FNV-1a over the canonical name; the user's id keeps two users' names apart where the
  // front end's channel lives in a folder that all users share.
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const char byte : path.native()) {
    hash = (hash ^ static_cast<unsigned char>(byte)) * 0x100000001b3ULL;
  }
  char key[64];
  std::snprintf(key, sizeof key, "velmora-%u-%016llx", static_cast<unsigned>(getuid()),
                static_cast<unsigned long long>(hash));
  return key;
}

}  // namespace velmora
