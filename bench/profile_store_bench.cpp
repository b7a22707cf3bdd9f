#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

#include "../tests/unit/temp_folder.h"
#include "runtime/file_system.h"
#include "runtime/profile_store.h"
#include "runtime/text_ops.h"

namespace velmora {
namespace {

// A file that a measurement stands on: without it the figures would mean nothing.
void Prepared(const FileResult& result) {
  if (result) return;
  std::fprintf(stderr, "cannot prepare the benchmark: %s\n", result.cause().c_str());
  std::abort();
}

using testing::TempFolder;

constexpr std::size_t kContentBytes = 10 * 1024;

// A maximal Preset file: 40 ticks and 82 texts, every Tag content of the given size as stored
// (line-break and quote markers included). The variant changes every content, so that
// alternate saves always change the file.
std::vector<ProfileWrite> PresetWrites(std::size_t content_bytes, int variant) {
  std::string content;
  while (content.size() < content_bytes) content += "第一行内容#引号引用#引号><br><";
  content.resize(content_bytes);
  content[0] = variant == 0 ? 'A' : 'B';
  std::vector<ProfileWrite> writes;
  writes.push_back({"选择框", "序号选择框", "真"});
  for (int n = 1; n <= 39; ++n) writes.push_back({"选择框", "标签选择框" + ToText(n), "真"});
  writes.push_back({"编辑框", "文档标题编辑框", "清单"});
  for (int n = 1; n <= 3; ++n) writes.push_back({"编辑框", "版块编辑框" + ToText(n), "版块"});
  for (int n = 1; n <= 39; ++n) {
    writes.push_back({"编辑框", "标签标题编辑框" + ToText(n), "标题" + ToText(n)});
    writes.push_back({"编辑框", "标签内容编辑框" + ToText(n), content});
  }
  return writes;
}

std::size_t Scaled(const benchmark::State& state) {
  return kContentBytes * static_cast<std::size_t>(state.range(0));
}

// A Preset file in a folder of its own, saved with the two variants in turn, so that every
// save changes the file.
class AlternatingSaves {
 public:
  explicit AlternatingSaves(const benchmark::State& state)
      : file_(folder_.path() + "\\预设.ini"),
        writes_{PresetWrites(Scaled(state), 0), PresetWrites(Scaled(state), 1)} {
    Prepared(WriteProfileTexts(file_, writes_[1]));
  }
  const std::string& folder() const { return folder_.path(); }
  bool SaveNext() {
    const bool written = WriteProfileTexts(file_, writes_[variant_]).ok();
    variant_ ^= 1;
    return written;
  }

 private:
  const TempFolder folder_;
  const std::string file_;
  const std::vector<ProfileWrite> writes_[2];
  int variant_ = 0;
};

void BM_ProfileSave(benchmark::State& state) {
  AlternatingSaves saves(state);
  for (auto _ : state) {
    if (!saves.SaveNext()) state.SkipWithError("write failed");
  }
}
BENCHMARK(BM_ProfileSave)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

// One load of the file and a read of every key written.
void LoadPreset(const std::string& file, const std::vector<ProfileWrite>& writes) {
  const ProfileSnapshot snapshot = ProfileSnapshot::Load(file);
  for (const ProfileWrite& write : writes) {
    benchmark::DoNotOptimize(snapshot.ReadView(write.section, write.key));
  }
}

void BM_ProfileLoad(benchmark::State& state) {
  const TempFolder folder;
  const std::string file = folder.path() + "\\预设.ini";
  const std::vector<ProfileWrite> writes = PresetWrites(Scaled(state), 0);
  Prepared(WriteProfileTexts(file, writes));
  for (auto _ : state) LoadPreset(file, writes);
}
BENCHMARK(BM_ProfileLoad)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

// The floor: the same bytes through a temporary file, fsync, rename and fsync of the folder (as
// our save makes the rename durable), with nothing parsed.
std::string FileBytes(const benchmark::State& state, const std::string& file) {
  Prepared(WriteProfileTexts(file, PresetWrites(Scaled(state), 0)));
  std::string bytes;
  Prepared(ReadWholeFile(file, bytes));
  return bytes;
}

bool FloorSave(const std::string& temp, const std::string& target, const std::string& bytes) {
  const int fd = open(temp.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd < 0) return false;
  const bool written =
      write(fd, bytes.data(), bytes.size()) == static_cast<ssize_t>(bytes.size()) && fsync(fd) == 0;
  if (close(fd) != 0 || !written || rename(temp.c_str(), target.c_str()) != 0) return false;
  const std::string folder = target.substr(0, target.rfind('/') + 1);
  const int folder_fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folder_fd < 0) return false;
  const bool synced = fsync(folder_fd) == 0;
  return close(folder_fd) == 0 && synced;
}

bool FloorLoad(const std::string& file) {
  const int fd = open(file.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  struct stat info {};
  fstat(fd, &info);
  std::string read_back(static_cast<std::size_t>(info.st_size), '\0');
  const bool read_whole = read(fd, read_back.data(), read_back.size()) == info.st_size;
  close(fd);
  benchmark::DoNotOptimize(read_back.data());
  return read_whole;
}

void BM_FloorSave(benchmark::State& state) {
  const TempFolder folder;
  const std::string bytes = FileBytes(state, folder.path() + "\\seed.ini");
  const std::string temp = folder.path() + "/floor.tmp";
  const std::string target = folder.path() + "/floor.ini";
  for (auto _ : state) {
    if (!FloorSave(temp, target, bytes)) state.SkipWithError("floor write failed");
  }
}
BENCHMARK(BM_FloorSave)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_FloorLoad(benchmark::State& state) {
  const TempFolder folder;
  const std::string file = folder.path() + "/seed.ini";
  FileBytes(state, folder.path() + "\\seed.ini");
  for (auto _ : state) {
    if (!FloorLoad(file)) state.SkipWithError("floor read failed");
  }
}
BENCHMARK(BM_FloorLoad)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

// <chrono> cannot be compiled with the GBK execution character set.
double NowUs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1e6 + static_cast<double>(now.tv_nsec) / 1e3;
}

// Ours and the floor in turns within each iteration, the order swapped every time, so that both
// meet the same state of caches and machine. Reports the median of each and the median of the
// ratios of the pairs.
void RunPaired(benchmark::State& state, const std::function<bool()>& ours,
               const std::function<bool()>& floor) {
  std::vector<double> ours_us;
  std::vector<double> floor_us;
  std::vector<double> ratios;
  const auto timed = [](const std::function<bool()>& run, std::vector<double>& into) {
    const double start = NowUs();
    const bool done = run();
    into.push_back(NowUs() - start);
    return done;
  };
  bool ours_first = true;
  for (auto _ : state) {
    const bool done = ours_first ? timed(ours, ours_us) && timed(floor, floor_us)
                                 : timed(floor, floor_us) && timed(ours, ours_us);
    if (!done) {
      state.SkipWithError("a run failed");
      return;
    }
    ratios.push_back(ours_us.back() / floor_us.back());
    ours_first = !ours_first;
  }
  const auto median = [](std::vector<double> values) {
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
  };
  state.counters["ours_us"] = median(ours_us);
  state.counters["floor_us"] = median(floor_us);
  state.counters["ratio"] = median(ratios);
}

void BM_PairedSave(benchmark::State& state) {
  AlternatingSaves saves(state);
  const std::string bytes = FileBytes(state, saves.folder() + "\\seed.ini");
  const std::string temp = saves.folder() + "/floor.tmp";
  const std::string target = saves.folder() + "/floor.ini";
  RunPaired(
      state, [&] { return saves.SaveNext(); }, [&] { return FloorSave(temp, target, bytes); });
}
BENCHMARK(BM_PairedSave)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

void BM_PairedLoad(benchmark::State& state) {
  const TempFolder folder;
  const std::string file = folder.path() + "\\预设.ini";
  const std::vector<ProfileWrite> writes = PresetWrites(Scaled(state), 0);
  Prepared(WriteProfileTexts(file, writes));
  const std::string floor_file = folder.path() + "/seed.ini";
  FileBytes(state, folder.path() + "\\seed.ini");
  RunPaired(
      state,
      [&] {
        LoadPreset(file, writes);
        return true;
      },
      [&] { return FloorLoad(floor_file); });
}
BENCHMARK(BM_PairedLoad)->Arg(1)->Arg(4)->Arg(16)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

BENCHMARK_MAIN();
