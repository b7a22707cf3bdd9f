// The export command as the user runs it: ticked Tags in the list, numbered, the question and
// the done message answered OK, the earlier document replaced.
//
// Besides the time in-process, two figures from fresh processes of this program
// (--probe=<folder>): how far the export raises the peak resident set above what the program
// held before it (the list's entries included), as a multiple of the document's text; and the
// whole process, start to exit, against python-docx (Debian's python3-docx) writing the same
// paragraphs, the two started in turn.

#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <time.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "../tests/unit/preset_test_support.h"
#include "../tests/unit/temp_folder.h"
#include "app/document_export.h"
#include "runtime/gbk_codec.h"
#include "runtime/text_ops.h"

extern char** environ;

namespace velmora {
namespace {

constexpr int kTags = 39;

// About size bytes of GBK text, Chinese and ASCII, with a line break every few sentences.
std::string TagContent(int tag, std::size_t size) {
  const std::string sentence = "第" + ToText(tag) + "项：合同条款 clause & <terms>，";
  std::string content;
  for (int i = 0; content.size() < size; ++i) {
    content += sentence;
    if (i % 6 == 5) content += "\r\n";
  }
  return content;
}

// The program with every Tag titled and filled, all of them in the list, numbered.
void FillList(testing::ProgramHarness& harness, std::size_t content_size) {
  for (int n = 1; n <= kTags; ++n) {
    const std::string content = TagContent(n, content_size);
    harness.model().SetText(harness.Control("标签标题编辑框" + ToText(n)), "标题" + ToText(n));
    harness.model().SetText(harness.Control("标签内容编辑框" + ToText(n)), content);
    harness.app().model.AddItem(harness.Control("列表框1"), content);
  }
  harness.model().SetChecked(harness.Control("序号选择框"), true);
  harness.app().numbering_flag = 1;
}

std::string DocumentText(testing::ProgramHarness& harness) {
  std::vector<std::string_view> entries;
  for (const ComboEntry& entry : harness.model().Combo(harness.Control("列表框1")).Entries()) {
    entries.push_back(entry.text);
  }
  return BuildDocumentText("清单", entries, true);
}

void BM_ExportCommandThirtyNineTags(benchmark::State& state) {
  testing::ProgramHarness harness;
  harness.Start();
  FillList(harness, static_cast<std::size_t>(state.range(0)) * 1024);
  for (auto _ : state) {
    ExportDocument(harness.app());
    harness.dialogs.shown.clear();
  }
  if (!harness.ReadFile("清单.docx")) state.SkipWithError("no document written");
}
BENCHMARK(BM_ExportCommandThirtyNineTags)
    ->ArgName("tag_kB")
    ->Arg(10)
    ->Arg(160)
    ->Unit(benchmark::kMillisecond)
    ->Repetitions(5);

constexpr std::size_t kProbeContentSize = 160 * 1024;

long StatusKb(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  }
  return 0;
}

// The child: fills the list, exports once, and prints the peak's growth over the resident set
// before the export and the document text's size, in bytes. The run directory is the folder.
int RunProbe(const std::string& folder) {
  testing::ProgramHarness harness;
  harness.Start();
  FillList(harness, kProbeContentSize);
  const std::size_t text_size = DocumentText(harness).size();
  // "5" resets the peak to the resident set now (Linux 4.0 and later).
  std::ofstream("/proc/self/clear_refs") << "5";
  const long before_kb = StatusKb("VmRSS");
  ExportDocument(harness.app());
  const long peak_kb = StatusKb("VmHWM");
  if (!harness.ReadFile("清单.docx")) return 1;
  std::ofstream(folder + "/document.txt", std::ios::binary) << GbkToUtf8(DocumentText(harness));
  std::printf("%ld %zu\n", (peak_kb - before_kb) * 1024, text_size);
  return 0;
}

// <chrono> cannot be built with the GBK literals of this program.
double NowMs() {
  timespec now{};
  clock_gettime(CLOCK_MONOTONIC, &now);
  return static_cast<double>(now.tv_sec) * 1e3 + static_cast<double>(now.tv_nsec) / 1e6;
}

// Runs a program to its end; its time in ms, or -1 when it failed. Its output goes to out.
double RunProcess(const std::vector<std::string>& arguments, const std::string& out) {
  std::vector<char*> argv;
  for (const std::string& argument : arguments) argv.push_back(const_cast<char*>(argument.c_str()));
  argv.push_back(nullptr);
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, 1, out.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
  const double start = NowMs();
  pid_t child = 0;
  const bool spawned = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ) == 0;
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (!spawned || waitpid(child, &status, 0) != child || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    return -1;
  }
  return NowMs() - start;
}

constexpr char kPythonDocx[] = R"(import re, sys
import docx
text = open(sys.argv[1], encoding="utf-8", newline="").read()
document = docx.Document()
for line in re.split("\r\n|\r|\n", text):
    document.add_paragraph(line)
document.save(sys.argv[2])
)";

double Median(std::vector<double> values) {
  std::sort(values.begin(), values.end());
  return values.empty() ? 0 : values[values.size() / 2];
}

// 39 Tags of 160 KB: the whole export process against python-docx, in turn, three times.
void BM_WholeProcessExportAgainstPythonDocx(benchmark::State& state) {
  const testing::TempFolder folder;
  const std::string self = std::filesystem::read_symlink("/proc/self/exe").string();
  const std::string probe_out = folder.path() + "/probe.out";
  std::vector<double> ours_ms;
  std::vector<double> python_ms;
  long long growth = 0;
  long long text_size = 0;
  for (auto _ : state) {
    for (int round = 0; round < 3; ++round) {
      const double ours = RunProcess({self, "--probe=" + folder.path()}, probe_out);
      std::ifstream(probe_out) >> growth >> text_size;
      const double python =
          RunProcess({"/usr/bin/python3", "-c", kPythonDocx, folder.path() + "/document.txt",
                      folder.path() + "/python.docx"},
                     folder.path() + "/python.out");
      if (ours < 0 || python < 0 || text_size <= 0) {
        state.SkipWithError("a process failed (is python3-docx installed?)");
        return;
      }
      ours_ms.push_back(ours);
      python_ms.push_back(python);
    }
  }
  state.counters["text_MB"] = static_cast<double>(text_size) / 1e6;
  state.counters["peak_growth_MB"] = static_cast<double>(growth) / 1e6;
  state.counters["growth_per_text"] = static_cast<double>(growth) / static_cast<double>(text_size);
  state.counters["ours_ms"] = Median(ours_ms);
  state.counters["python_docx_ms"] = Median(python_ms);
  state.counters["ratio"] = Median(ours_ms) / Median(python_ms);
}
BENCHMARK(BM_WholeProcessExportAgainstPythonDocx)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

int main(int argc, char* argv[]) {
  const std::string probe_flag = "--probe=";
  if (argc == 2 && std::string(argv[1]).rfind(probe_flag, 0) == 0) {
    return velmora::RunProbe(std::string(argv[1]).substr(probe_flag.size()));
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
