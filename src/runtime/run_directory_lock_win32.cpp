#include <windows.h>

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <system_error>

#include "runtime/run_directory_lock.h"
#include "runtime/utf8_path.h"

namespace velmora {

namespace {

// The full, long, lower-case name: Windows names one folder in many ways.
std::wstring NormalisedFolder(std::string_view folder) {
  std::wstring name = PathFromUtf8(folder).wstring();
  std::wstring full(MAX_PATH, L'\0');
  for (int attempt = 0; attempt < 2; ++attempt) {
    const DWORD length =
        GetFullPathNameW(name.c_str(), static_cast<DWORD>(full.size()), full.data(), nullptr);
    if (length == 0) break;
    if (length < full.size()) {
      full.resize(length);
      name = full;
      break;
    }
    full.resize(length);
  }
  std::wstring long_name(name.size() + MAX_PATH, L'\0');
  const DWORD length =
      GetLongPathNameW(name.c_str(), long_name.data(), static_cast<DWORD>(long_name.size()));
  if (length > 0 && length < long_name.size()) name.assign(long_name.data(), length);
  while (name.size() > 3 && (name.back() == L'\\' || name.back() == L'/')) name.pop_back();
  if (!name.empty()) CharLowerBuffW(name.data(), static_cast<DWORD>(name.size()));
  return name;
}

}  // namespace

RunDirectoryLock::~RunDirectoryLock() {
  if (held()) CloseHandle(handle_);
}

FileResult RunDirectoryLock::Take(std::string_view folder) {
  held_elsewhere_ = false;
  // The mutex names the folder only; it is asked for as the POSIX lock is, of a folder that is.
  std::error_code missing;
  if (!std::filesystem::is_directory(PathFromUtf8(folder), missing))
    return FailureOf("lock the run directory", folder, "it is not a folder");
  // A named mutex rather than a file: nothing stands among the user's files, and the system
  // removes it with the last handle, so a killed program leaves nothing behind.
  const std::wstring name = L"Local\\" + PathFromUtf8(RunDirectoryKey(folder)).wstring();
  const HANDLE mutex = CreateMutexW(nullptr, FALSE, name.c_str());
  const DWORD error = GetLastError();
  if (mutex == nullptr)
    return FailureOf("lock the run directory", folder, std::system_category().message(error));
  if (error == ERROR_ALREADY_EXISTS) {
    CloseHandle(mutex);
    held_elsewhere_ = true;
    return FailureOf("lock the run directory", folder, "another Velmora is working in it");
  }
  if (held()) CloseHandle(handle_);
  handle_ = mutex;
  return FileResult::Success();
}

std::string RunDirectoryKey(std::string_view folder) {
  std::uint64_t hash = 0xcbf29ce484222325ULL;
  for (const wchar_t unit : NormalisedFolder(folder)) {
    hash = (hash ^ static_cast<std::uint16_t>(unit)) * 0x100000001b3ULL;
  }
  char key[64];
  std::snprintf(key, sizeof key, "velmora-%016llx", static_cast<unsigned long long>(hash));
  return key;
}

}  // namespace velmora
