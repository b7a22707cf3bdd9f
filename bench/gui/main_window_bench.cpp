// Creating and showing the main window offscreen, the way the program does it (startup on a run
// directory included), against a bare Qt window of the same size holding one widget.
//
// Time: each iteration builds and shows the window and lets the event loop deliver the expose
// and the first paint; tearing it down again is not timed.
//
// Memory and the first showing: each window is measured in a fresh process of this program
// (--probe=<kind>), so that neither window profits from caches the other filled. The probe
// reports its peak resident set (VmHWM), the growth of the peak over the resident set just before
// the window was created (QApplication already standing), the growth of the heap in use
// (mallinfo2: small blocks plus mmapped blocks), how long the first window took to show, and how
// long it took from the launch of the process (taken by the parent just before it starts the
// probe) until the window was shown: the program's start as the user waits for it.

#include <benchmark/benchmark.h>
#include <malloc.h>

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <array>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "gui/application_setup.h"
#include "gui/desktop_program.h"
#include "gui/visual_style.h"
#include "runtime/clock.h"
#include "runtime/gbk_codec.h"

namespace velmora {
namespace {

constexpr int kWidth = 981;
constexpr int kHeight = 621;

const FixedClock& BenchClock() {
  static const FixedClock clock(46037.4375);
  return clock;
}

// Delivers what showing a window posts: expose, layout, the first paint, deferred deletes.
void Settle() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

void WriteGbk(const QString& path, const QString& text) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return;
  const std::string bytes = Utf8ToGbk(text.toStdString());
  file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// A Preset with all 39 Tags titled and filled, every third one ticked, and Section titles.
void WriteFullPreset(const QString& run_dir) {
  const QString data = run_dir + QStringLiteral("/Data");
  QDir().mkpath(data);
  WriteGbk(data + QStringLiteral("/config.ini"),
           QStringLiteral("[组合框]\r\n预设组合框=预设配置一<|>0<||>预设配置二<|>0<||>"
                          "预设配置三<|>0<||>0<|>预设配置一\r\n"));
  QString ticks = QStringLiteral("[选择框]\r\n序号选择框=真\r\n");
  QString texts = QStringLiteral("[编辑框]\r\n文档标题编辑框=清单\r\n");
  for (int section = 1; section <= 3; ++section) {
    texts += QStringLiteral("版块编辑框%1=版块标题%1\r\n").arg(section);
  }
  for (int tag = 1; tag <= 39; ++tag) {
    ticks += QStringLiteral("标签选择框%1=%2\r\n")
                 .arg(tag)
                 .arg(tag % 3 == 0 ? QStringLiteral("真") : QStringLiteral("假"));
    texts += QStringLiteral("标签标题编辑框%1=条目%1\r\n").arg(tag);
    texts += QStringLiteral("标签内容编辑框%1=第%1条的内容，><br><第二行文字。\r\n").arg(tag);
  }
  WriteGbk(data + QStringLiteral("/预设配置一.ini"), ticks + texts);
}

std::unique_ptr<DesktopProgram> ShowMainWindow(const std::string& run_dir) {
  auto desktop = std::make_unique<DesktopProgram>(run_dir, BenchClock());
  Settle();
  return desktop;
}

// The program's application setup (main() here) plus the visual style that the program switches
// on as its first window comes up; the caption is Chinese, so both windows load the same fonts.
std::unique_ptr<QWidget> ShowBareWindow() {
  ApplyVisualStyle(1);
  auto window = std::make_unique<QWidget>();
  window->resize(kWidth, kHeight);
  auto* button = new QPushButton(QStringLiteral("确定"), window.get());
  button->setGeometry(16, 16, 96, 24);
  window->show();
  Settle();
  return window;
}

// range(0): 0 a first run (no Data folder yet), 1 a full Preset to load.
void BM_MainWindow(benchmark::State& state) {
  QTemporaryDir run_dir;
  if (state.range(0) == 1) WriteFullPreset(run_dir.path());
  const std::string run_dir_gbk = Utf8ToGbk(run_dir.path().toStdString());
  for (auto _ : state) {
    std::unique_ptr<DesktopProgram> desktop = ShowMainWindow(run_dir_gbk);
    benchmark::DoNotOptimize(desktop->main_window());
    state.PauseTiming();
    desktop.reset();
    Settle();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_MainWindow)->ArgName("full_preset")->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_BareWindow(benchmark::State& state) {
  for (auto _ : state) {
    std::unique_ptr<QWidget> window = ShowBareWindow();
    benchmark::DoNotOptimize(window.get());
    state.PauseTiming();
    window.reset();
    Settle();
    state.ResumeTiming();
  }
}
BENCHMARK(BM_BareWindow)->Unit(benchmark::kMillisecond);

// A field of /proc/self/status in kB: VmRSS now, VmHWM the peak. (getrusage's maxrss would
// carry the forking parent's peak into the probe.)
long StatusKb(const std::string& field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  while (std::getline(status, line)) {
    if (line.rfind(field + ":", 0) == 0) return std::stol(line.substr(field.size() + 1));
  }
  return 0;
}

long HeapInUseKb() {
  const struct mallinfo2 info = mallinfo2();
  return static_cast<long>((info.uordblks + info.hblkhd) / 1024);
}

constexpr std::array<const char*, 5> kProbeFigures = {
    "peak_rss_kB", "rss_growth_kB", "heap_growth_kB", "first_show_us", "launch_to_show_us"};

constexpr char kLaunchedVariable[] = "VELMORA_BENCH_LAUNCHED_US";

long long Microseconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration_cast<std::chrono::microseconds>(duration).count();
}

// The steady clock is the system's monotonic clock: parent and probe read the same one.
long long SteadyMicroseconds() {
  return Microseconds(std::chrono::steady_clock::now().time_since_epoch());
}

// The child side: one window, then the figures named above on one line of stdout.
int RunProbe(const std::string& kind) {
  const long resident_before = StatusKb("VmRSS");
  const long heap_before = HeapInUseKb();
  QTemporaryDir run_dir;
  if (kind == "main_full") WriteFullPreset(run_dir.path());
  std::unique_ptr<DesktopProgram> desktop;
  std::unique_ptr<QWidget> bare;
  const auto start = std::chrono::steady_clock::now();
  if (kind == "bare") {
    bare = ShowBareWindow();
  } else {
    desktop = ShowMainWindow(Utf8ToGbk(run_dir.path().toStdString()));
  }
  const auto shown = std::chrono::steady_clock::now();
  const long long launch_to_show =
      Microseconds(shown.time_since_epoch()) - qEnvironmentVariable(kLaunchedVariable).toLongLong();
  const long peak = StatusKb("VmHWM");
  std::printf("%ld %ld %ld %lld %lld\n", peak, peak - resident_before, HeapInUseKb() - heap_before,
              Microseconds(shown - start), launch_to_show);
  return 0;
}

void BM_FreshProcess(benchmark::State& state, const char* kind) {
  QList<QByteArray> fields;
  for (auto _ : state) {
    QProcess probe;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QLatin1String(kLaunchedVariable), QString::number(SteadyMicroseconds()));
    probe.setProcessEnvironment(environment);
    probe.start(QCoreApplication::applicationFilePath(),
                {QStringLiteral("--probe=%1").arg(QLatin1String(kind))});
    if (!probe.waitForFinished(60000) || probe.exitCode() != 0) {
      state.SkipWithError("the probe process failed");
      return;
    }
    fields = probe.readAllStandardOutput().trimmed().split(' ');
  }
  for (std::size_t i = 0; i < kProbeFigures.size(); ++i) {
    const auto index = static_cast<qsizetype>(i);
    state.counters[kProbeFigures[i]] = index < fields.size() ? fields[index].toDouble() : 0;
  }
}
BENCHMARK_CAPTURE(BM_FreshProcess, main, "main")->Iterations(1)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FreshProcess, main_full, "main_full")
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(BM_FreshProcess, bare, "bare")->Iterations(1)->Unit(benchmark::kMillisecond);

// Prints the runs as usual, then the main window's figures as multiples of the bare window's.
class RatioReporter : public benchmark::ConsoleReporter {
 public:
  void ReportRuns(const std::vector<Run>& runs) override {
    ConsoleReporter::ReportRuns(runs);
    // With repetitions the median stands for the runs, so that one slow start does not count
    // for all; it comes after them.
    for (const Run& run : runs) {
      const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
      if (run.error_occurred || (run.run_type == Run::RT_Aggregate && !median)) continue;
      Figures& figures = figures_[run.run_name.str()];
      figures.time = run.GetAdjustedRealTime();
      for (const auto& [name, counter] : run.counters) figures.counters[name] = counter.value;
    }
  }
  void Finalize() override {
    ConsoleReporter::Finalize();
    const auto bare_time = figures_.find("BM_BareWindow");
    const auto bare_fresh = figures_.find("BM_FreshProcess/bare/iterations:1");
    std::printf("\nMain window against the bare window (ratio, goal at most 1.3):\n");
    for (const char* name : {"BM_MainWindow/full_preset:0", "BM_MainWindow/full_preset:1"}) {
      const auto found = figures_.find(name);
      if (found != figures_.end() && bare_time != figures_.end() && bare_time->second.time > 0) {
        std::printf("  time   %-30s %8.2fx\n", name, found->second.time / bare_time->second.time);
      }
    }
    for (const char* name :
         {"BM_FreshProcess/main/iterations:1", "BM_FreshProcess/main_full/iterations:1"}) {
      const auto found = figures_.find(name);
      if (found == figures_.end() || bare_fresh == figures_.end()) continue;
      // The whole probe: process start, application setup, the window, teardown and exit.
      if (bare_fresh->second.time > 0) {
        std::printf("  fresh  %-30s %-15s %8.2fx\n", name, "process_time",
                    found->second.time / bare_fresh->second.time);
      }
      for (const char* counter : kProbeFigures) {
        const double bare = bare_fresh->second.counters[counter];
        if (bare > 0) {
          std::printf("  fresh  %-30s %-15s %8.2fx\n", name, counter,
                      found->second.counters[counter] / bare);
        }
      }
    }
  }

 private:
  struct Figures {
    double time = 0;
    std::map<std::string, double> counters;
  };
  std::map<std::string, Figures> figures_;
};

}  // namespace
}  // namespace velmora

int main(int argc, char* argv[]) {
  // Before the QApplication: the windows need no display.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  velmora::SetUpApplication(app);
  const std::string probe_flag = "--probe=";
  if (argc == 2 && std::string(argv[1]).rfind(probe_flag, 0) == 0) {
    return velmora::RunProbe(std::string(argv[1]).substr(probe_flag.size()));
  }
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  velmora::RatioReporter reporter;
  benchmark::RunSpecifiedBenchmarks(&reporter);
  benchmark::Shutdown();
  return 0;
}
