#include "launched_program.h"

#include <utility>
#include <vector>

namespace velmora {

std::optional<LaunchedProgram> LaunchedProgram::Start(const std::wstring& exe) {
  const std::wstring folder = exe.substr(0, exe.find_last_of(L"\\/"));
  std::wstring command = L"\"" + exe + L"\"";
  std::vector<wchar_t> line(command.begin(), command.end());
  line.push_back(L'\0');
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  if (!CreateProcessW(exe.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, folder.c_str(),
                      &startup, &info)) {
    return std::nullopt;
  }
  CloseHandle(info.hThread);
  return LaunchedProgram(info.hProcess, info.dwProcessId);
}

LaunchedProgram::LaunchedProgram(LaunchedProgram&& other) noexcept
    : process_(std::exchange(other.process_, nullptr)), id_(other.id_) {}

LaunchedProgram::~LaunchedProgram() {
  if (process_ == nullptr) return;
  if (WaitForSingleObject(process_, 0) == WAIT_TIMEOUT) {
    TerminateProcess(process_, 1);
    WaitForSingleObject(process_, 5000);
  }
  CloseHandle(process_);
}

std::optional<DWORD> LaunchedProgram::WaitForExit(DWORD timeout_ms) {
  if (WaitForSingleObject(process_, timeout_ms) != WAIT_OBJECT_0) return std::nullopt;
  DWORD code = 0;
  if (!GetExitCodeProcess(process_, &code)) return std::nullopt;
  return code;
}

}  // namespace velmora
