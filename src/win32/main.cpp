#include "win32/system_headers.h"
// After windows.h, which they need.
#include <commctrl.h>
#include <objbase.h>
#include <shellapi.h>

#include <string>

#include "runtime/clock.h"
#include "runtime/fatal_error.h"
#include "runtime/gbk_codec.h"
#include "runtime/run_location.h"
#include "win32/desktop_program.h"
#include "win32/fatal_report_box.h"
#include "win32/wide_text.h"

namespace {

// The run directory that --run-dir DIR names (UTF-8), or empty for the one the program picks.
std::string RunDirArgument() {
  int count = 0;
  LPWSTR* arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::string folder;
  for (int i = 1; arguments != nullptr && i + 1 < count; ++i) {
    if (std::wstring_view(arguments[i]) == L"--run-dir") {
      folder = velmora::Utf8FromWide(arguments[i + 1]);
      break;
    }
  }
  LocalFree(arguments);
  return folder;
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  static_cast<void>(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_DATE_CLASSES};
  InitCommonControlsEx(&controls);
  velmora::FatalReportBox fatal_report;
  velmora::SetFatalErrorSink(&fatal_report);

  // The run directory is fixed before the first window, whatever folder the program was
  // started from.
  const velmora::RunDirectoryResult run_directory = velmora::PrepareRunDirectory(RunDirArgument());
  if (!run_directory.ready) {
    const std::wstring text = L"无法建立运行目录“" + velmora::WideFromUtf8(run_directory.folder) +
                              L"”，预设和文档都将无法保存！";
    MessageBoxW(nullptr, text.c_str(), L"运行目录", MB_OK | MB_ICONWARNING);
  }
  const velmora::SystemClock clock;
  {
    velmora::DesktopProgram desktop(instance, velmora::Utf8ToGbk(run_directory.folder), clock);
    desktop.Run();
  }
  CoUninitialize();
  return 0;
}
