#include <windows.h>
// After windows.h, which it needs.
#include <shlobj.h>

#include <filesystem>
#include <string>
#include <system_error>

#include "runtime/run_location.h"
#include "runtime/utf8_path.h"

namespace velmora {

namespace {

std::filesystem::path ExecutableFolder() {
  std::wstring path(MAX_PATH, L'\0');
  for (;;) {
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (length == 0) return {};
    if (length < path.size()) {
      path.resize(length);
      return std::filesystem::path(path).parent_path();
    }
    path.resize(path.size() * 2);
  }
}

// Windows grants writing through access lists that no attribute shows: a file created and
// dropped at once is the answer that counts.
bool MayCreateFilesIn(const std::filesystem::path& folder) {
  const std::filesystem::path probe = folder / L".velmora-write-probe";
  const HANDLE file = CreateFileW(probe.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
  return true;
}

std::string DocumentsFolder() {
  wchar_t path[MAX_PATH] = {};
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_PERSONAL, nullptr, SHGFP_TYPE_CURRENT, path)))
    return {};
  return Utf8FromPath(std::filesystem::path(path));
}

}  // namespace

RunLocationFacts GatherRunLocationFacts() {
  RunLocationFacts facts;
  const std::filesystem::path folder = ExecutableFolder();
  if (!folder.empty()) {
    facts.executable_folder = Utf8FromPath(folder);
    const std::filesystem::path data = folder / L"Data";
    std::error_code error;
    facts.data_beside_executable = std::filesystem::is_directory(data, error);
    facts.data_folder_writable = facts.data_beside_executable && MayCreateFilesIn(data);
    facts.executable_folder_writable = MayCreateFilesIn(folder);
  }
  facts.documents_folder = DocumentsFolder();
  return facts;
}

}  // namespace velmora
