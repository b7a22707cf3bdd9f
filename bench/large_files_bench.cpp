// Damaged files of 50 MB: start-up and ReadPreset (timed after the start-up) on a one-line
// config.ini and on a Preset with one 50 MB value. Each run is a child process, so that its peak
// memory is its own; the counters give the time and the peak memory beyond a child that only starts
// on a fresh Data folder, against a floor measured in the same run: reading the file once.

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdlib>
#include <string>

#include "../tests/unit/preset_test_support.h"
#include "app/preset_commands.h"
#include "runtime/file_system.h"

namespace velmora {
namespace {

constexpr std::size_t kFileSize = 50u << 20;

enum class Damage { kNone, kLongList, kLongValue };
enum class Work { kReadFile, kStart, kStartAndRead };

void WriteDamagedFiles(const testing::ProgramHarness& harness, Damage damage) {
  if (damage == Damage::kNone) return;
  if (damage == Damage::kLongList) {
    std::string line = "[组合框]\r\n预设组合框=";
    line += std::string(kFileSize - 64, 'x');
    line += "<|>0<||>0<|>x\r\n";
    harness.WriteFile("Data\\config.ini", line);
    return;
  }
  harness.WriteFile("Data\\config.ini", "[组合框]\r\n预设组合框=周报<|>0<||>0<|>周报\r\n");
  std::string preset = "[选择框]\r\n标签选择框1=真\r\n[编辑框]\r\n标签标题编辑框1=周一\r\n";
  preset += "标签内容编辑框1=" + std::string(kFileSize - 96, 'y') + "\r\n";
  harness.WriteFile("Data\\周报.ini", preset);
}

// <chrono> does not compile under the GBK execution character set.
double Now() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) * 1e-9;
}

struct ChildResult {
  double seconds = 0;
  double peak_bytes = 0;
};

// Runs the work in a child; its time comes through a pipe, its peak memory from wait4.
ChildResult RunInChild(testing::ProgramHarness& harness, Damage damage, Work work) {
  int pipe_ends[2];
  if (pipe(pipe_ends) != 0) std::abort();
  const pid_t child = fork();
  if (child == 0) {
    close(pipe_ends[0]);
    double start = Now();
    if (work == Work::kReadFile) {
      std::string bytes;
      if (!ReadWholeFile(harness.run_directory() + "\\Data\\" +
                             (damage == Damage::kLongList ? "config.ini" : "周报.ini"),
                         bytes))
        std::abort();
      benchmark::DoNotOptimize(bytes);
    } else {
      harness.Start();
      if (work == Work::kStartAndRead) {
        start = Now();
        ReadPreset(harness.app());
      }
    }
    const double seconds = Now() - start;
    if (write(pipe_ends[1], &seconds, sizeof seconds) != sizeof seconds) _exit(1);
    _exit(0);
  }
  close(pipe_ends[1]);
  ChildResult result;
  if (read(pipe_ends[0], &result.seconds, sizeof result.seconds) != sizeof result.seconds)
    std::abort();
  close(pipe_ends[0]);
  int status = 0;
  rusage usage{};
  wait4(child, &status, 0, &usage);
  result.peak_bytes = static_cast<double>(usage.ru_maxrss) * 1024;
  return result;
}

void Measure(benchmark::State& state, Damage damage, Work work) {
  // The files are written before the children start, so that no child holds their bytes.
  testing::ProgramHarness fresh;
  testing::ProgramHarness damaged;
  WriteDamagedFiles(damaged, damage);
  const ChildResult baseline = RunInChild(fresh, Damage::kNone, Work::kStart);
  ChildResult floor;
  ChildResult measured;
  for (auto _ : state) {
    floor = RunInChild(damaged, damage, Work::kReadFile);
    measured = RunInChild(damaged, damage, work);
    state.SetIterationTime(measured.seconds);
  }
  state.counters["seconds"] = measured.seconds;
  state.counters["time_over_read_floor"] = measured.seconds / floor.seconds;
  state.counters["extra_memory_over_file"] =
      (measured.peak_bytes - baseline.peak_bytes) / static_cast<double>(kFileSize);
}

void BM_StartOnLongList(benchmark::State& state) {
  Measure(state, Damage::kLongList, Work::kStart);
}
void BM_ReadPresetOnLongList(benchmark::State& state) {
  Measure(state, Damage::kLongList, Work::kStartAndRead);
}
void BM_StartOnLongValue(benchmark::State& state) {
  Measure(state, Damage::kLongValue, Work::kStart);
}
void BM_ReadPresetOnLongValue(benchmark::State& state) {
  Measure(state, Damage::kLongValue, Work::kStartAndRead);
}
BENCHMARK(BM_StartOnLongList)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPresetOnLongList)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_StartOnLongValue)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_ReadPresetOnLongValue)->UseManualTime()->Iterations(2)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
