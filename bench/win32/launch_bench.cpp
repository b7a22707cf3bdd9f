// Launch of velmora.exe to its main window shown and painted, against two floors of the same
// outer size: the bare window (one button) and the layout window (the native controls seen at
// start, from the layout table, without the control model); and velmora.exe with the full
// Preset (39 titled and ticked Tags of 10 KB each) against velmora.exe on an empty Data folder.
// Every subject is copied into a scratch folder of its own and started the same way, taken in
// turn so that all see the same machine. Then the first switch to the page "设置" and from there
// to a Tag page, each until the page is painted. Prints the medians, the ratios and the size of
// velmora.exe. Run it under Wine on a display: launch_bench.exe [VELMORA_EXE], by default the
// velmora.exe of this build.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "bench_timing.h"
#include "control_input.h"
#include "full_preset.h"
#include "launched_program.h"
#include "ui/control_names.h"
#include "window_search.h"

namespace {

using velmora::Median;
using velmora::NowMs;

constexpr int kRounds = 21;
constexpr int kSwitchRounds = 9;
constexpr DWORD kTimeoutMs = 30000;

struct Subject {
  std::wstring exe;
  std::wstring title;
  std::vector<double> times_ms;
};

// Milliseconds from the start to the window shown and painted; nothing when it failed.
std::optional<double> TimeLaunch(const Subject& subject) {
  const double start = NowMs();
  std::optional<velmora::LaunchedProgram> program = velmora::LaunchedProgram::Start(subject.exe);
  if (!program) return std::nullopt;
  HWND window = nullptr;
  for (;;) {
    window = velmora::FindTopLevel(program->id(), subject.title);
    if (window != nullptr && velmora::IsShownAndPainted(window)) break;
    if (NowMs() - start > kTimeoutMs) return std::nullopt;
    Sleep(1);
  }
  const double elapsed = NowMs() - start;
  PostMessageW(window, WM_CLOSE, 0, 0);
  if (program->WaitForExit(kTimeoutMs) != 0u) return std::nullopt;
  return elapsed;
}

// Starts the program and waits for its main window painted: the window, or null.
HWND ShowMainWindow(const velmora::LaunchedProgram& program, const Subject& subject) {
  const double start = NowMs();
  for (;;) {
    const HWND window = velmora::FindTopLevel(program.id(), subject.title);
    if (window != nullptr && velmora::IsShownAndPainted(window)) return window;
    if (NowMs() - start > kTimeoutMs) return nullptr;
    Sleep(1);
  }
}

// Milliseconds from the click on the tab to the control of that name painted on its page.
std::optional<double> TimeSwitch(const velmora::LaunchedProgram& program, HWND window, HWND tab,
                                 int page, std::string_view shown_control) {
  const double start = NowMs();
  if (!velmora::ClickTab(program.handle(), tab, page)) return std::nullopt;
  for (;;) {
    const HWND control = velmora::FindControl(window, velmora::WindowKind::kMain, shown_control);
    if (control != nullptr && IsWindowVisible(control) && velmora::IsShownAndPainted(window)) {
      return NowMs() - start;
    }
    if (NowMs() - start > kTimeoutMs) return std::nullopt;
    Sleep(1);
  }
}

// The first switch to the page "设置" and then to the page of Tag 1, each timed.
bool TimeFirstSwitches(const Subject& subject, std::vector<double>& settings,
                       std::vector<double>& tag_page) {
  std::optional<velmora::LaunchedProgram> program = velmora::LaunchedProgram::Start(subject.exe);
  if (!program) return false;
  const HWND window = ShowMainWindow(*program, subject);
  if (window == nullptr) return false;
  const HWND frame = velmora::FindControl(window, velmora::WindowKind::kMain, "框架选择夹");
  const std::optional<double> to_settings = TimeSwitch(*program, window, frame, 1, "设置选择夹");
  if (!to_settings) return false;
  const HWND settings_tab = velmora::FindControl(window, velmora::WindowKind::kMain, "设置选择夹");
  const std::optional<double> to_tag =
      TimeSwitch(*program, window, settings_tab, 1, velmora::TagContentBoxName(1));
  if (!to_tag) return false;
  settings.push_back(*to_settings);
  tag_page.push_back(*to_tag);
  PostMessageW(window, WM_CLOSE, 0, 0);
  return program->WaitForExit(kTimeoutMs) == 0u;
}

std::wstring CopyInto(const std::filesystem::path& folder, const std::filesystem::path& exe) {
  std::filesystem::remove_all(folder);
  std::filesystem::create_directories(folder);
  const std::filesystem::path copy = folder / exe.filename();
  std::filesystem::copy_file(exe, copy);
  return copy.wstring();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::filesystem::path work = VELMORA_BENCH_WORK_DIR;
  const std::filesystem::path program = argc > 1 ? argv[1] : VELMORA_EXE;
  Subject velmora{CopyInto(work / "velmora", program), L"Velmorav1.0", {}};
  Subject bare{CopyInto(work / "bare", VELMORA_BARE_WINDOW_EXE), L"BareWindow", {}};
  Subject layout{CopyInto(work / "layout", VELMORA_LAYOUT_WINDOW_EXE), L"LayoutWindow", {}};
  Subject preset{CopyInto(work / "preset", program), L"Velmorav1.0", {}};
  velmora::WriteFullPreset(work / "preset");
  Subject* const subjects[] = {&velmora, &bare, &layout, &preset};
  constexpr std::size_t kSubjects = std::size(subjects);
  // Round 0 warms the file cache and makes the Data folder; it is not counted. Each round
  // starts with the next subject, so that none always follows the same one.
  for (int round = 0; round <= kRounds; ++round) {
    for (std::size_t turn = 0; turn < kSubjects; ++turn) {
      Subject& subject = *subjects[(static_cast<std::size_t>(round) + turn) % kSubjects];
      const std::optional<double> time = TimeLaunch(subject);
      if (!time) {
        std::fwprintf(stderr, L"%ls did not show its window\n", subject.exe.c_str());
        return 1;
      }
      if (round > 0) subject.times_ms.push_back(*time);
    }
  }
  const double velmora_ms = Median(velmora.times_ms);
  const double bare_ms = Median(bare.times_ms);
  const double layout_ms = Median(layout.times_ms);
  std::printf("launch to main window shown, median of %d: velmora.exe %.1f ms\n", kRounds,
              velmora_ms);
  std::printf("launch to bare window shown, median of %d: %.1f ms\n", kRounds, bare_ms);
  std::printf("ratio to the bare window %.2f\n", velmora_ms / bare_ms);
  std::printf("launch to layout window shown (same controls, no model), median of %d: %.1f ms\n",
              kRounds, layout_ms);
  std::printf("ratio to the layout window %.2f (goal at most 1.30)\n", velmora_ms / layout_ms);
  const double preset_ms = Median(preset.times_ms);
  std::printf("launch with the full Preset (39 x 10 KB), median of %d: %.1f ms\n", kRounds,
              preset_ms);
  std::printf("ratio to the empty launch %.2f (goal at most 1.20)\n", preset_ms / velmora_ms);
  std::vector<double> settings_ms;
  std::vector<double> tag_page_ms;
  for (int round = 0; round < kSwitchRounds; ++round) {
    if (!TimeFirstSwitches(preset, settings_ms, tag_page_ms)) {
      std::fwprintf(stderr, L"%ls did not switch its pages\n", preset.exe.c_str());
      return 1;
    }
  }
  std::printf("full Preset, first switch to the page \"设置\", median of %d: %.1f ms\n",
              kSwitchRounds, Median(settings_ms));
  std::printf("full Preset, first switch to the page of Tag 1, median of %d: %.1f ms\n",
              kSwitchRounds, Median(tag_page_ms));
  std::printf("velmora.exe size: %ju bytes\n",
              static_cast<std::uintmax_t>(std::filesystem::file_size(program)));
  return 0;
}
