// Drives a velmora.exe that stands anywhere (an installed or unpacked copy) through one user
// story: it starts, the main window comes up, the document title is typed and the settings are
// saved as the current Preset, both message boxes answered OK, and the window is closed. The
// package test then looks for the Preset where the program had to put it.
//   velmora_save_preset.exe PROGRAM TITLE
// Exit code 0 when every step worked; otherwise the failed step on standard error.

#include <windows.h>

#include <cstdio>
#include <optional>
#include <string>

#include "control_input.h"
#include "launched_program.h"
#include "ui/layout.h"
#include "window_search.h"

namespace velmora {
namespace {

constexpr wchar_t kMainTitle[] = L"Velmorav1.0";
constexpr DWORD kStartTimeoutMs = 30000;
constexpr DWORD kExitTimeoutMs = 10000;
constexpr int kExitFailed = 1;

int Fail(const char* step) {
  std::fprintf(stderr, "velmora_save_preset: %s\n", step);
  return kExitFailed;
}

int SavePreset(const std::wstring& program_path, const std::wstring& title) {
  std::optional<LaunchedProgram> program = LaunchedProgram::Start(program_path);
  if (!program) return Fail("the program could not be started");
  HWND main = WaitForTopLevel(program->id(), kMainTitle, kStartTimeoutMs);
  if (!main) return Fail("the main window did not come up");
  HWND document_title = FindControl(main, WindowKind::kMain, "文档标题编辑框");
  HWND save = FindControl(main, WindowKind::kMain, "保存设置按钮");
  if (!document_title || !save) return Fail("the main window lacks its controls");
  SendMessageW(document_title, EM_SETSEL, 0, -1);
  Type(document_title, title);
  ClickLater(save);
  // The question, then the confirmation.
  for (int box = 0; box < 2; ++box) {
    HWND dialog = WaitForDialog(program->id());
    if (!dialog || !Answer(dialog, IDOK)) return Fail("a message box of the save did not come up");
  }
  PostMessageW(main, WM_CLOSE, 0, 0);
  const std::optional<DWORD> code = program->WaitForExit(kExitTimeoutMs);
  if (!code) return Fail("the program did not end after its window was closed");
  if (*code != 0) return Fail("the program ended with a failure code");
  return 0;
}

}  // namespace
}  // namespace velmora

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: velmora_save_preset PROGRAM TITLE\n");
    return 2;
  }
  return velmora::SavePreset(argv[1], argv[2]);
}
