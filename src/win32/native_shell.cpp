#include "win32/native_shell.h"

#include "win32/system_headers.h"
// After windows.h, which it needs.
#include <shellapi.h>

#include "win32/wide_text.h"

namespace velmora {

void NativeShell::ShowFolder(std::string_view path) {
  // No verb: the shell's default action on a folder opens it; the result is not examined.
  ShellExecuteW(nullptr, nullptr, Wide(path).c_str(), nullptr, L"", SW_SHOWNORMAL);
}

}  // namespace velmora
