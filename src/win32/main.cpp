#include "win32/system_headers.h"
// After windows.h, which they need.
#include <commctrl.h>
#include <shellapi.h>

#include <optional>
#include <string>

#include "app/run_directory_notice.h"
#include "runtime/clock.h"
#include "runtime/fatal_error.h"
#include "runtime/gbk_codec.h"
#include "runtime/run_directory_lock.h"
#include "runtime/run_location.h"
#include "win32/desktop_program.h"
#include "win32/fatal_report_box.h"
#include "win32/front_request.h"
#include "win32/wide_text.h"

namespace {

// A holder that is starting marks its window within this time; one that has none by then is
// velmora-script, or hung up.
constexpr DWORD kFrontRequestTimeoutMs = 5000;

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

void Show(const velmora::RunDirectoryNotice& notice) {
  MessageBoxW(nullptr, velmora::Wide(notice.text).c_str(), velmora::Wide(notice.title).c_str(),
              MB_OK | (notice.warning ? MB_ICONWARNING : MB_ICONINFORMATION));
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_STANDARD_CLASSES | ICC_TAB_CLASSES | ICC_DATE_CLASSES};
  InitCommonControlsEx(&controls);
  velmora::FatalReportBox fatal_report;
  velmora::SetFatalErrorSink(&fatal_report);

  // The run directory is fixed before the first window, whatever folder the program was
  // started from.
  const velmora::RunDirectoryResult run_directory = velmora::PrepareRunDirectory(RunDirArgument());
  velmora::RunDirectoryLock lock;
  if (run_directory.ready) {
    const velmora::FileResult locked = lock.Take(run_directory.folder);
    if (lock.held_elsewhere()) {
      const std::string key = velmora::RunDirectoryKey(run_directory.folder);
      if (!velmora::RequestFront(key, kFrontRequestTimeoutMs))
        Show(velmora::NoticeOfHeldRunDirectory(run_directory.folder, locked));
      return 0;
    }
    velmora::LogRunDirectoryFailure(locked);
  }
  if (const auto notice = velmora::NoticeOfRunDirectory(run_directory)) Show(*notice);
  const velmora::SystemClock clock;
  {
    velmora::DesktopProgram desktop(instance, velmora::Utf8ToGbk(run_directory.folder), clock);
    std::optional<velmora::HolderMark> mark;
    if (lock.held())
      mark.emplace(desktop.main_window(), velmora::RunDirectoryKey(run_directory.folder));
    desktop.Run();
  }
  return 0;
}
