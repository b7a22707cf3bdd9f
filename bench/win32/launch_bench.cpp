// Launch of velmora.exe to its main window shown and painted, against two floors of the same
// outer size: the bare window (one button) and the layout window (the main window's native
// controls from the layout table, without the control model). All three are copied into a
// scratch folder and started the same way, taken in turn so that all see the same machine.
// Prints the medians, both ratios and the size of velmora.exe. Run it under Wine on a display:
// launch_bench.exe [VELMORA_EXE], by default the velmora.exe of this build.

#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <iterator>
#include <optional>
#include <string>
#include <vector>

#include "launched_program.h"
#include "window_search.h"

namespace {

constexpr int kRounds = 21;
constexpr DWORD kTimeoutMs = 30000;

struct Subject {
  std::wstring exe;
  std::wstring title;
  std::vector<double> times_ms;
};

double NowMs() {
  LARGE_INTEGER frequency;
  LARGE_INTEGER counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return 1000.0 * static_cast<double>(counter.QuadPart) / static_cast<double>(frequency.QuadPart);
}

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

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  return values.size() % 2 ? values[middle] : (values[middle - 1] + values[middle]) / 2;
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
  Subject* const subjects[] = {&velmora, &bare, &layout};
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
  std::printf("ratio %.2f (goal at most 1.30)\n", velmora_ms / bare_ms);
  std::printf("launch to layout window shown (same controls, no model), median of %d: %.1f ms\n",
              kRounds, layout_ms);
  std::printf("ratio to the layout window %.2f\n", velmora_ms / layout_ms);
  std::printf("velmora.exe size: %ju bytes\n",
              static_cast<std::uintmax_t>(std::filesystem::file_size(program)));
  return 0;
}
