// 读取预设, 保存设置 and 全部清空 with the full Preset (39 titled and ticked Tags of 10 KB each):
// clicked in velmora.exe after every page has been shown once, each until the window is painted
// again with its message boxes answered OK, against the same command in velmora-script.exe.
// A script run carries the process start, which under Wine is many times one command: the
// script runs the command many times and once, and the difference over the extra repetitions
// is one command's time, the start and the first run's warming cancelled out. 全部清空 follows
// a 读取预设 each time, whose share, measured the same way, is taken off. Each round times every
// command in the window and then in the script, so that both see the same machine. Prints the
// medians and the ratios. Run it under Wine on a display: command_bench.exe. The literals of
// this file are GBK.

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "bench_timing.h"
#include "control_input.h"
#include "full_preset.h"
#include "launched_program.h"
#include "runtime/gbk_codec.h"
#include "window_search.h"

namespace {

using velmora::Median;
using velmora::NowMs;

constexpr int kRounds = 7;
constexpr int kSettingsPages = 40;
constexpr int kScriptRepeats = 21;
constexpr DWORD kTimeoutMs = 30000;

struct Command {
  const char* button;
  int answers;  // message boxes answered OK
  const char* script;
  bool after_read;  // in the script, after a 读取预设 each time
  std::vector<double> window_ms;
  std::vector<double> script_ms;
};

bool Painted(HWND window) {
  return velmora::WaitFor([window] { return velmora::IsShownAndPainted(window) != FALSE; },
                          kTimeoutMs);
}

HWND Control(HWND window, const char* name) {
  return velmora::FindControl(window, velmora::WindowKind::kMain, name);
}

bool ShowEveryPage(const velmora::LaunchedProgram& program, HWND window) {
  if (!velmora::ClickTab(program.handle(), Control(window, "框架选择夹"), 1) || !Painted(window)) {
    return false;
  }
  for (int page = 0; page < kSettingsPages; ++page) {
    if (!velmora::ClickTab(program.handle(), Control(window, "设置选择夹"), page) ||
        !Painted(window)) {
      return false;
    }
  }
  return velmora::ClickTab(program.handle(), Control(window, "框架选择夹"), 0) && Painted(window);
}

std::optional<double> TimeInWindow(const velmora::LaunchedProgram& program, HWND window,
                                   const Command& command) {
  const HWND button = Control(window, command.button);
  const double start = NowMs();
  if (command.answers == 0) {
    velmora::Click(button);
  } else {
    velmora::ClickLater(button);
    for (int i = 0; i < command.answers; ++i) {
      const HWND box = velmora::WaitForDialog(program.id(), kTimeoutMs);
      if (box == nullptr || !velmora::Answer(box, IDOK)) return std::nullopt;
    }
  }
  if (!Painted(window)) return std::nullopt;
  return NowMs() - start;
}

std::optional<double> TimeScript(const std::filesystem::path& exe,
                                 const std::filesystem::path& run_dir, const std::string& script) {
  const std::filesystem::path file = run_dir / "bench.vs";
  std::FILE* out = _wfopen(file.c_str(), L"wb");
  if (out == nullptr) return std::nullopt;
  const std::string utf8 = velmora::GbkToUtf8(script);
  std::fwrite(utf8.data(), 1, utf8.size(), out);
  std::fclose(out);
  std::wstring line = L"\"" + exe.wstring() + L"\" --run-dir \"" + run_dir.wstring() + L"\" \"" +
                      file.wstring() + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const double start = NowMs();
  if (!CreateProcessW(nullptr, line.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr,
                      nullptr, &startup, &info)) {
    return std::nullopt;
  }
  WaitForSingleObject(info.hProcess, kTimeoutMs);
  const double elapsed = NowMs() - start;
  DWORD code = 1;
  GetExitCodeProcess(info.hProcess, &code);
  CloseHandle(info.hThread);
  CloseHandle(info.hProcess);
  if (code != 0) return std::nullopt;
  return elapsed;
}

// The command's script lines, repeated; each after a 读取预设 where the command needs one.
std::string ScriptOf(const Command& command, int repeats) {
  static constexpr std::string_view kRead = "click 读取预设按钮\n";
  std::string script;
  for (int i = 0; i < repeats; ++i) {
    if (command.after_read) script += kRead;
    script += command.script;
  }
  return script;
}

}  // namespace

int wmain() {
  const std::filesystem::path work = VELMORA_BENCH_WORK_DIR;
  const std::filesystem::path window_dir = work / "commands-window";
  const std::filesystem::path script_dir = work / "commands-script";
  for (const std::filesystem::path& folder : {window_dir, script_dir}) {
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    velmora::WriteFullPreset(folder);
  }
  std::filesystem::copy_file(VELMORA_EXE, window_dir / "velmora.exe");
  Command commands[] = {
      {"读取预设按钮", 0, "click 读取预设按钮\n", false, {}, {}},
      {"保存设置按钮", 2, "click 保存设置按钮\nanswer ok\nanswer ok\n", false, {}, {}},
      {"全部清空按钮", 1, "click 全部清空按钮\nanswer ok\n", true, {}, {}},
  };

  std::optional<velmora::LaunchedProgram> program =
      velmora::LaunchedProgram::Start((window_dir / "velmora.exe").wstring());
  if (!program) return 1;
  const HWND window = velmora::WaitForTopLevel(program->id(), L"Velmorav1.0", kTimeoutMs);
  if (window == nullptr || !Painted(window) || !ShowEveryPage(*program, window)) {
    std::fprintf(stderr, "velmora.exe did not show its pages\n");
    return 1;
  }
  // Each round reads the Preset back after the window was cleared.
  for (int round = 0; round < kRounds; ++round) {
    for (Command& command : commands) {
      const std::optional<double> in_window = TimeInWindow(*program, window, command);
      if (!in_window) {
        std::fprintf(stderr, "the window did not finish a command\n");
        return 1;
      }
      command.window_ms.push_back(*in_window);
      const std::optional<double> many =
          TimeScript(VELMORA_SCRIPT_EXE, script_dir, ScriptOf(command, kScriptRepeats));
      const std::optional<double> once =
          TimeScript(VELMORA_SCRIPT_EXE, script_dir, ScriptOf(command, 1));
      if (!many || !once) {
        std::fprintf(stderr, "velmora-script did not finish a command\n");
        return 1;
      }
      command.script_ms.push_back((*many - *once) / (kScriptRepeats - 1));
    }
  }
  PostMessageW(window, WM_CLOSE, 0, 0);
  static_cast<void>(program->WaitForExit(kTimeoutMs));

  const double read_ms = Median(commands[0].script_ms);
  for (const Command& command : commands) {
    const double in_window = Median(command.window_ms);
    const double in_script = Median(command.script_ms) - (command.after_read ? read_ms : 0.0);
    std::printf("%s: window %.1f ms, velmora-script %.1f ms, ratio %.2f (goal at most 2)\n",
                command.button, in_window, in_script, in_window / std::max(in_script, 1.0));
  }
  return 0;
}
