#include "win32/native_shell.h"

#include "win32/system_headers.h"
// After windows.h, which they need.
#include <objbase.h>
#include <shellapi.h>

#include "win32/wide_text.h"

namespace velmora {

NativeShell::~NativeShell() {
  if (com_started_) CoUninitialize();
}

void NativeShell::ShowFolder(std::string_view path) {
  if (!com_started_) {
    com_started_ =
        SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE));
  }
  // No verb: the shell's default action on a folder opens it; the result is not examined.
  ShellExecuteW(nullptr, nullptr, Wide(path).c_str(), nullptr, L"", SW_SHOWNORMAL);
}

}  // namespace velmora
