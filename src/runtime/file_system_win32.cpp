#include "runtime/file_system.h"

#include <windows.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include "runtime/file_faults.h"
#include "runtime/gbk_codec.h"
#include "runtime/retry_pause.h"
#include "runtime/run_directory.h"

namespace velmora {
namespace {

// Closes the handle it owns; release() hands it over for a checked close.
class FileHandle {
 public:
  explicit FileHandle(HANDLE handle) : handle_(handle) {}
  FileHandle(const FileHandle&) = delete;
  FileHandle& operator=(const FileHandle&) = delete;
  ~FileHandle() {
    if (valid()) CloseHandle(handle_);
  }
  HANDLE get() const { return handle_; }
  bool valid() const { return handle_ != INVALID_HANDLE_VALUE; }
  HANDLE release() {
    const HANDLE handle = handle_;
    handle_ = INVALID_HANDLE_VALUE;
    return handle;
  }

 private:
  HANDLE handle_;
};

// Removes the temporary file unless it was moved into place.
class TemporaryFile {
 public:
  explicit TemporaryFile(std::wstring path) : path_(std::move(path)) {}
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (!path_.empty()) DeleteFileW(path_.c_str());
  }
  const std::wstring& path() const { return path_; }
  void Keep() { path_.clear(); }

 private:
  std::wstring path_;
};

// The longest name of one file or folder, in UTF-16 units.
constexpr std::size_t kMaxNameLength = 255;
// A replacement that another program is in the way of is tried for about a second.
constexpr int kReplaceTries = 11;
constexpr int kReplaceRetryMilliseconds = 100;

// No name in the path is longer than the file system allows. Windows refuses such a name;
// Wine would cut it short in silence and so write another file than the one named.
bool NamesFit(std::wstring_view path) {
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = path.find_first_of(L"\\/", start);
    const std::size_t length = (end == std::wstring_view::npos ? path.size() : end) - start;
    if (length > kMaxNameLength) return false;
    if (end == std::wstring_view::npos) return true;
    start = end + 1;
  }
}

// The UTF-16 form of a GBK path, by way of GB18030: code page 936 has no four-byte forms.
// Empty, which no call accepts, when a name in it is too long.
std::wstring WidePath(std::string_view path) {
  const std::string utf8 = GbkToUtf8(path);
  if (utf8.empty()) return {};
  const int size =
      MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<std::size_t>(size), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), wide.data(), size);
  if (!NamesFit(wide)) return {};
  return wide;
}

// The system's message for a Win32 error, in UTF-8, without the line end it comes with.
std::string SystemMessage(DWORD error) {
  wchar_t* buffer = nullptr;
  const DWORD length = FormatMessageW(
      FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
      nullptr, error, 0, reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
  std::wstring text = length == 0 ? std::wstring() : std::wstring(buffer, length);
  LocalFree(buffer);
  while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ' ||
                           text.back() == L'.'))
    text.pop_back();
  if (text.empty()) return "Win32 error " + std::to_string(error);
  const int size = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                       nullptr, 0, nullptr, nullptr);
  std::string utf8(static_cast<std::size_t>(size), '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), size,
                      nullptr, nullptr);
  return utf8;
}

// Errors of a file that another program has open without sharing it, or locked.
bool IsHeldError(DWORD error) {
  return error == ERROR_SHARING_VIOLATION || error == ERROR_LOCK_VIOLATION;
}

// The cause of a failure that a Win32 error describes: what was done, to which file, and why.
FileResult Failed(std::string_view doing, std::string_view path, DWORD error) {
  FileResult failure = FailureOf(doing, NativePath(path), SystemMessage(error));
  if (IsHeldError(error)) return FileResult::Held(failure.cause(), NativePath(path));
  return failure;
}

// The cause of a failure that the fault seam made, which sets errno as the POSIX calls do.
FileResult SeamFailed(std::string_view doing, std::string_view path) {
  const int error = errno;
  return FailureOf(doing, NativePath(path), std::strerror(error));
}

bool HasWildcard(std::wstring_view path) { return path.find_first_of(L"*?") != std::wstring::npos; }

bool AnythingMatches(const std::wstring& pattern) {
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW(pattern.c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return false;
  FindClose(search);
  return true;
}

// Writes every piece, resuming after short writes; one call moves at most 1 GiB. The pieces
// count as one write to the seam, as the vectored write of the POSIX side does.
FileResult WriteAll(HANDLE file, std::string_view path, std::span<const std::string_view> pieces) {
  if (FileCallFails(FileCall::kWrite)) return SeamFailed("write", path);
  for (const std::string_view piece : pieces) {
    std::size_t done = 0;
    while (done < piece.size()) {
      const auto chunk = static_cast<DWORD>(std::min<std::size_t>(piece.size() - done, 1u << 30));
      DWORD written = 0;
      if (!WriteFile(file, piece.data() + done, chunk, &written, nullptr))
        return Failed("write", path, GetLastError());
      done += written;
    }
  }
  return FileResult::Success();
}

// A new file in the target's folder, created exclusively so that nothing else is overwritten
// and opened without sharing until it is complete. Its name is short and fixed in length, so
// it fits wherever the target's name fits.
HANDLE CreateTemporaryBeside(std::string_view path, const std::wstring& target,
                             std::wstring& temp_path, FileResult& failure) {
  static unsigned counter = 0;
  const std::size_t separator = target.find_last_of(L"\\/");
  const std::wstring folder =
      separator == std::wstring::npos ? std::wstring() : target.substr(0, separator + 1);
  for (int attempt = 0; attempt < 100; ++attempt) {
    temp_path = folder + L".~" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++counter) + L".tmp";
    if (FileCallFails(FileCall::kCreate)) {
      failure = SeamFailed("create a temporary file beside", path);
      return INVALID_HANDLE_VALUE;
    }
    const HANDLE file = CreateFileW(temp_path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file != INVALID_HANDLE_VALUE) return file;
    const DWORD error = GetLastError();
    if (error != ERROR_FILE_EXISTS) {
      failure = Failed("create a temporary file beside", path, error);
      return INVALID_HANDLE_VALUE;
    }
  }
  failure = Failed("create a temporary file beside", path, ERROR_FILE_EXISTS);
  return INVALID_HANDLE_VALUE;
}

// A read-only file or a folder: what no program's letting go makes replaceable.
bool IsNeverReplaceable(const std::wstring& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES &&
         (attributes & (FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_DIRECTORY)) != 0;
}

// The error that keeps the target from being replaced, or 0: it is held open by another
// program without sharing. Windows refuses the replacement then anyway; Wine, run by root,
// would replace the file.
DWORD TargetBlocker(const std::wstring& target) {
  const HANDLE file = CreateFileW(target.c_str(), GENERIC_WRITE | DELETE,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) {
    const DWORD error = GetLastError();
    return error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND ? 0 : error;
  }
  CloseHandle(file);
  return 0;
}

// Moves the finished temporary file over the target, or gives the error that kept it from
// doing so.
DWORD MoveOver(const std::wstring& temp_path, const std::wstring& target) {
  if (const DWORD blocker = TargetBlocker(target); blocker != 0) return blocker;
  if (MoveFileExW(temp_path.c_str(), target.c_str(),
                  MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
    return 0;
  return GetLastError();
}

}  // namespace

FileResult SetRunDirectory(std::string_view run_directory) {
  KeepRunDirectory(run_directory);
  if (!SetCurrentDirectoryW(WidePath(run_directory).c_str()))
    return Failed("enter the folder", run_directory, GetLastError());
  return FileResult::Success();
}

std::string NativePath(std::string_view path) { return GbkToUtf8(path); }

bool FileExists(std::string_view path) {
  if (path.empty()) return false;
  const std::wstring wide = WidePath(path);
  if (HasWildcard(wide)) return AnythingMatches(wide);
  return GetFileAttributesW(wide.c_str()) != INVALID_FILE_ATTRIBUTES;
}

FileResult MakeDirectory(std::string_view path) {
  if (path.empty()) return UnnamedFailure("make");
  if (FileCallFails(FileCall::kMakeFolder)) return SeamFailed("make the folder", path);
  if (!CreateDirectoryW(WidePath(path).c_str(), nullptr))
    return Failed("make the folder", path, GetLastError());
  return FileResult::Success();
}

FileResult RemoveFile(std::string_view path) {
  if (path.empty()) return UnnamedFailure("remove");
  if (FileCallFails(FileCall::kRemove)) return SeamFailed("remove", path);
  if (!DeleteFileW(WidePath(path).c_str())) return Failed("remove", path, GetLastError());
  return FileResult::Success();
}

FileResult RenameFile(std::string_view old_path, std::string_view new_path) {
  if (old_path.empty() || new_path.empty()) return UnnamedFailure("rename");
  const std::string both = std::string(old_path) + " to " + std::string(new_path);
  if (FileCallFails(FileCall::kRename)) return SeamFailed("rename", both);
  // Without MOVEFILE_REPLACE_EXISTING the move fails when the new name exists.
  if (!MoveFileExW(WidePath(old_path).c_str(), WidePath(new_path).c_str(), 0))
    return Failed("rename", both, GetLastError());
  return FileResult::Success();
}

FileResult ReadWholeFile(std::string_view path, std::string& bytes) {
  bytes.clear();
  if (path.empty()) return UnnamedFailure("read");
  // A folder does not open without FILE_FLAG_BACKUP_SEMANTICS, so only files are read.
  const FileHandle file(CreateFileW(WidePath(path).c_str(), GENERIC_READ,
                                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  LARGE_INTEGER size;
  if (!file.valid() || !GetFileSizeEx(file.get(), &size))
    return Failed("read", path, GetLastError());
  // One byte more than the size, so that the read which finds the end needs no regrowth.
  std::string content(static_cast<std::size_t>(size.QuadPart) + 1, '\0');
  std::size_t filled = 0;
  for (;;) {
    if (filled == content.size()) content.resize(content.size() + 4096);
    const auto wanted =
        static_cast<DWORD>(std::min<std::size_t>(content.size() - filled, 1u << 30));
    DWORD got = 0;
    if (!ReadFile(file.get(), content.data() + filled, wanted, &got, nullptr))
      return Failed("read", path, GetLastError());
    if (got == 0) break;
    filled += got;
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
  const std::wstring target = WidePath(path);
  if (target.empty()) return Failed("replace", path, ERROR_FILENAME_EXCED_RANGE);
  std::wstring temp_path;
  FileResult failure = FileResult::Success();
  const HANDLE created = CreateTemporaryBeside(path, target, temp_path, failure);
  if (created == INVALID_HANDLE_VALUE) return failure;
  // Declared first so that it goes last: the file is deleted only after its handle is closed,
  // since an open handle without delete sharing keeps it.
  TemporaryFile temp(temp_path);
  FileHandle file(created);
  if (FileResult written = WriteAll(file.get(), path, pieces); !written) return written;
  if (FileCallFails(FileCall::kSync)) return SeamFailed("flush", path);
  if (!FlushFileBuffers(file.get())) return Failed("flush", path, GetLastError());
  if (FileCallFails(FileCall::kClose)) return SeamFailed("close", path);
  if (!CloseHandle(file.release())) return Failed("close", path, GetLastError());
  if (FileCallFails(FileCall::kRename)) return SeamFailed("replace", path);
  // A read-only target or a folder refuses the replacement, and stays as it was.
  if (IsNeverReplaceable(target)) return Failed("replace", path, ERROR_ACCESS_DENIED);
  // A target open without delete sharing refuses it too. Virus scanners hold a freshly
  // written file for a moment, so a denial is tried again for about a second; one that stays
  // is another program's hold (a document open in a word processor).
  for (int tries = 1;; ++tries) {
    const DWORD error = MoveOver(temp.path(), target);
    if (error == 0) break;
    const bool held = IsHeldError(error) || error == ERROR_ACCESS_DENIED;
    if (!held) return Failed("replace", path, error);
    if (tries == kReplaceTries) {
      return FileResult::Held(Failed("replace", path, error).cause(), NativePath(path));
    }
    PauseBeforeRetry(kReplaceRetryMilliseconds);
  }
  temp.Keep();
  return FileResult::Success();
}

}  // namespace velmora
