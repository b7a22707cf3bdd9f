// The windows with a full Preset (39 titled Tags of 10 KB each), each figure against a floor
// measured in the same run, the two taken in turn so that both see the same machine:
//
// - start-up as the user waits for it: the built program from its launch to the first paint of
//   its main window, against a minimal Qt program with the same application set-up (one window
//   of the same size, one button), both started the same way and stopped by the paint probe
//   plugin once painted; on a first run (no Data folder) and on the full Preset;
// - in-process: creating, showing and painting the main window on the full Preset, against a
//   plain window that creates the same widgets with the same captions, contents and fonts
//   without the control model and without the visual style;
// - a tick of a Tag check box (clicked on the widget, the repaint included), typing into a
//   160 KB Tag content box against a bare QPlainTextEdit holding the same text, and ReadPreset
//   with 39 ticked Tags, each in the window against the same program without one.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProcess>
#include <QPushButton>
#include <QStyle>
#include <QStyleFactory>
#include <QTemporaryDir>
#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "app/program.h"
#include "gui/application_setup.h"
#include "gui/control_widgets.h"
#include "gui/gui_text.h"
#include "gui/qt_view.h"
#include "gui/tab_control.h"
#include "gui/top_window.h"
#include "runtime/clock.h"
#include "runtime/gbk_codec.h"
#include "ui/layout.h"

namespace velmora {
namespace {

constexpr int kTags = 39;
constexpr std::size_t kContentBytes = 10 * 1024;
constexpr int kRounds = 15;

const FixedClock& BenchClock() {
  static const FixedClock clock(46037.4375);
  return clock;
}

// Delivers what a change posts: expose, layout, the paint, deferred deletes.
void Settle() {
  QCoreApplication::sendPostedEvents();
  QCoreApplication::processEvents();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

double Microseconds(std::chrono::steady_clock::duration duration) {
  return std::chrono::duration<double, std::micro>(duration).count();
}

double Median(std::vector<double> values) {
  if (values.empty()) return 0;
  std::sort(values.begin(), values.end());
  return values[values.size() / 2];
}

std::string Gbk(const std::string& utf8) { return Utf8ToGbk(utf8); }

// About 10 KB of GBK text, Chinese and ASCII, a line break (written as line_break) now and then.
std::string TagContent(int tag, const std::string& line_break) {
  const std::string sentence = Gbk("第" + std::to_string(tag) + "条：合同条款 clause，付款与交付");
  std::string content;
  for (int i = 0; content.size() < kContentBytes; ++i) {
    content += sentence;
    if (i % 6 == 5) content += line_break;
  }
  return content;
}

void WriteBytes(const QString& path, const std::string& bytes) {
  QFile file(path);
  if (file.open(QIODevice::WriteOnly)) file.write(bytes.data(), static_cast<qint64>(bytes.size()));
}

// The full Preset in the run directory's Data folder: all Tags titled and filled, ticked or not.
void WriteFullPreset(const QString& run_dir, bool ticked) {
  const QString data = run_dir + QStringLiteral("/Data");
  QDir().mkpath(data);
  WriteBytes(data + QStringLiteral("/config.ini"),
             Gbk("[组合框]\r\n预设组合框=预设配置一<|>0<||>预设配置二<|>0<||>"
                 "预设配置三<|>0<||>0<|>预设配置一\r\n"));
  std::string file = Gbk("[选择框]\r\n序号选择框=真\r\n");
  for (int tag = 1; tag <= kTags; ++tag) {
    file += Gbk("标签选择框" + std::to_string(tag) + "=" + (ticked ? "真" : "假") + "\r\n");
  }
  file += Gbk("[编辑框]\r\n文档标题编辑框=清单\r\n");
  for (int section = 1; section <= 3; ++section) {
    file += Gbk("版块编辑框" + std::to_string(section) + "=版块标题" + std::to_string(section) +
                "\r\n");
  }
  for (int tag = 1; tag <= kTags; ++tag) {
    const std::string number = std::to_string(tag);
    file += Gbk("标签标题编辑框" + number + "=条目" + number + "\r\n");
    file += Gbk("标签内容编辑框" + number + "=") + TagContent(tag, "><br><") + "\r\n";
  }
  WriteBytes(data + QStringLiteral("/预设配置一.ini"), file);
}

std::string GbkPath(const QTemporaryDir& folder) {
  return Utf8ToGbk(QDir::toNativeSeparators(folder.path()).toStdString());
}

class AnsweringDialogs final : public Dialogs {
 public:
  int MessageBox(std::string_view, int, std::string_view) override { return kResultOk; }
  bool InputBox(std::string_view, std::string_view, std::string&) override { return false; }
};

class NoShell final : public Shell {
 public:
  void ShowFolder(std::string_view) override {}
};

class NoModalHost final : public ModalHost {
 public:
  void RunModal(WindowId) override {}
};

// The program with its Qt windows, as the desktop program builds it, with every message box
// answered OK.
class WindowedProgram {
 public:
  explicit WindowedProgram(const std::string& run_dir)
      : program_(run_dir, ProgramServices{BenchClock(), dialogs_, shell_, view_, &view_}) {
    view_.Attach(program_.model());
    Settle();
  }
  ~WindowedProgram() { view_.Detach(); }
  WindowedProgram(const WindowedProgram&) = delete;
  WindowedProgram& operator=(const WindowedProgram&) = delete;

  ControlModel& model() { return program_.model(); }
  ControlRef Ref(const std::string& utf8_name) {
    return program_.model().Find(program_.main_window(), Gbk(utf8_name));
  }
  template <typename T>
  T* Widget(const std::string& utf8_name) {
    return static_cast<T*>(view_.ControlWidget(Ref(utf8_name)));
  }

 private:
  AnsweringDialogs dialogs_;
  NoShell shell_;
  QtView view_;
  Program program_;
};

// The same program without a window.
class HeadlessProgram {
 public:
  explicit HeadlessProgram(const std::string& run_dir)
      : program_(run_dir, ProgramServices{BenchClock(), dialogs_, shell_, modal_host_, nullptr}) {}
  ControlModel& model() { return program_.model(); }
  ControlRef Ref(const std::string& utf8_name) {
    return program_.model().Find(program_.main_window(), Gbk(utf8_name));
  }

 private:
  AnsweringDialogs dialogs_;
  NoShell shell_;
  NoModalHost modal_host_;
  Program program_;
};

// Runs ours and the floor in turn, kRounds times each (each gives its time in microseconds,
// set-up left out), and reports the medians and the median of the ratios.
void RunPaired(benchmark::State& state, const std::function<double()>& ours,
               const std::function<double()>& floor) {
  std::vector<double> ours_us;
  std::vector<double> floor_us;
  std::vector<double> ratios;
  for (auto _ : state) {
    for (int round = 0; round < kRounds; ++round) {
      // Which of the two goes first changes every round.
      double ours_time = 0;
      double floor_time = 0;
      if (round % 2 == 0) {
        ours_time = ours();
        floor_time = floor();
      } else {
        floor_time = floor();
        ours_time = ours();
      }
      if (ours_time < 0 || floor_time <= 0) {
        state.SkipWithError("a run failed");
        return;
      }
      ours_us.push_back(ours_time);
      floor_us.push_back(floor_time);
      ratios.push_back(ours_time / floor_time);
    }
  }
  state.counters["ours_us"] = Median(ours_us);
  state.counters["floor_us"] = Median(floor_us);
  state.counters["ratio"] = Median(ratios);
}

// ---- start-up ----

// A copy of the program in a folder of its own: the program keeps its Data folder beside it.
QString CopyProgram(const QString& program, const QTemporaryDir& folder) {
  const QString copy = folder.path() + QLatin1Char('/') + QFileInfo(program).fileName();
  QFile::copy(program, copy);
  QFile::setPermissions(copy, QFile::permissions(program));
  return copy;
}

// From the launch of the program until its first window is painted, in microseconds.
double LaunchToFirstPaint(const QString& program) {
  QProcess process;
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_PLUGIN_PATH"), QStringLiteral(VELMORA_PROBE_PLUGIN_DIR));
  environment.insert(QStringLiteral("QT_QPA_GENERIC_PLUGINS"), QStringLiteral("velmorapaintprobe"));
  process.setProcessEnvironment(environment);
  process.setProgram(program);
  const auto launched = std::chrono::steady_clock::now();
  process.start();
  if (!process.waitForFinished(60000) || process.exitCode() != 0) return -1;
  const double painted_us = process.readAllStandardOutput().trimmed().toDouble();
  return painted_us - Microseconds(launched.time_since_epoch());
}

// range(0): 0 a first run (the Data folder is removed before each start), 1 the full Preset.
void BM_LaunchToFirstPaint(benchmark::State& state) {
  const bool full = state.range(0) == 1;
  QTemporaryDir program_dir;
  QTemporaryDir minimal_dir;
  const QString program = CopyProgram(QStringLiteral(VELMORA_PROGRAM), program_dir);
  const QString minimal = CopyProgram(QStringLiteral(VELMORA_MINIMAL_PROGRAM), minimal_dir);
  if (full) WriteFullPreset(program_dir.path(), true);
  RunPaired(
      state,
      [&] {
        if (!full) QDir(program_dir.path() + QStringLiteral("/Data")).removeRecursively();
        return LaunchToFirstPaint(program);
      },
      [&] { return LaunchToFirstPaint(minimal); });
}
BENCHMARK(BM_LaunchToFirstPaint)
    ->ArgName("full_preset")
    ->Arg(0)
    ->Arg(1)
    ->Iterations(1)
    ->Unit(benchmark::kMillisecond);

// ---- in-process ----

// Shown when all tab controls above it show their first page, as at start.
bool OnFirstPages(const WindowLayout& layout, std::size_t entry) {
  for (std::size_t i = entry, steps = 0; i > 0 && steps < layout.entries.size(); ++steps) {
    const auto parent = static_cast<std::size_t>(layout.entries[i].parent);
    if (parent == 0 || parent >= layout.entries.size()) break;
    if (layout.entries[parent].type == ControlType::kTab && layout.entries[i].page != 0) {
      return false;
    }
    i = parent;
  }
  return true;
}

int MarkNumber(const LayoutEntry& entry) { return QString::fromStdString(entry.mark).toInt(); }

// The main window as the full Preset shows it, built straight from the layout: the same widget
// classes, places, captions and contents, no control model behind them.
std::unique_ptr<QWidget> ShowPlainWindow(const QStringList& list_rows) {
  const WindowLayout& layout = GetWindowLayout(WindowKind::kMain);
  const LayoutEntry& own = layout.entries.front();
  auto window = std::make_unique<TopWindow>(QSize(own.width, own.height), true);
  window->setWindowTitle(ToQt(own.text));
  const std::size_t count = layout.entries.size();
  std::vector<QWidget*> widgets(count, nullptr);
  for (std::size_t i = 1; i < count; ++i) {
    if (OnFirstPages(layout, i)) widgets[i] = CreateControlWidget(layout.entries[i], window.get());
  }
  for (std::size_t i = 1; i < count; ++i) {
    QWidget* widget = widgets[i];
    if (widget == nullptr) continue;
    const LayoutEntry& entry = layout.entries[i];
    const auto parent = static_cast<std::size_t>(entry.parent);
    if (parent > 0 && parent < count && widgets[parent] != nullptr) {
      widget->setParent(ChildHolder(widgets[parent], layout.entries[parent], entry.page));
    }
    widget->setGeometry(entry.left, entry.top, entry.width, entry.height);
    widget->lower();
    const QString caption = ToQtLines(entry.text);
    const int mark = MarkNumber(entry);
    if (auto* check_box = qobject_cast<QCheckBox*>(widget)) {
      const bool tag = mark > 1000 && mark <= 1000 + kTags;
      check_box->setText(tag ? QStringLiteral("条目%1").arg(mark - 1000) : caption);
      check_box->setChecked(true);
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
      group->setTitle(mark > 4000 ? QStringLiteral("版块标题%1").arg(mark - 4000) : caption);
    } else if (auto* button = qobject_cast<QPushButton*>(widget)) {
      button->setText(caption);
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      label->setText(caption);
    } else if (auto* line = qobject_cast<QLineEdit*>(widget)) {
      line->setText(caption);
    } else if (auto* combo = qobject_cast<QComboBox*>(widget)) {
      for (const std::string& item : entry.items) combo->addItem(ToQt(item));
    } else if (auto* list = qobject_cast<QListWidget*>(widget)) {
      list->addItems(list_rows);
    } else if (auto* tab = dynamic_cast<TabControl*>(widget)) {
      tab->ShowPage(0);
    }
    widget->setVisible(entry.flags & kFlagVisible);
  }
  window->CentreOnScreen();
  window->show();
  Settle();
  return window;
}

// Each window is timed from nothing until it is painted; its teardown is left out. The plain
// window is built under the style the process started with, the main window switches its
// visual style on as the program does.
void BM_InProcessWindow(benchmark::State& state) {
  QTemporaryDir run_dir;
  WriteFullPreset(run_dir.path(), true);
  const std::string run_dir_gbk = GbkPath(run_dir);
  const QString base_style = QApplication::style()->name();
  QStringList list_rows;
  for (int tag = 1; tag <= kTags; ++tag)
    list_rows.append(ListEntryDisplay(TagContent(tag, "\r\n")));
  RunPaired(
      state,
      [&] {
        const auto start = std::chrono::steady_clock::now();
        auto program = std::make_unique<WindowedProgram>(run_dir_gbk);
        const double time = Microseconds(std::chrono::steady_clock::now() - start);
        program.reset();
        Settle();
        return time;
      },
      [&] {
        QApplication::setStyle(QStyleFactory::create(base_style));
        QApplication::setPalette(QApplication::style()->standardPalette());
        const auto start = std::chrono::steady_clock::now();
        std::unique_ptr<QWidget> window = ShowPlainWindow(list_rows);
        const double time = Microseconds(std::chrono::steady_clock::now() - start);
        window.reset();
        Settle();
        return time;
      });
}
BENCHMARK(BM_InProcessWindow)->Iterations(1)->Unit(benchmark::kMillisecond);

// ---- commands in the window ----

// A click on each of the 39 Tag check boxes, the repaint after each included; the figures are
// per click. Without the window the same ticks go to the model as user actions.
void BM_TickEachTag(benchmark::State& state) {
  QTemporaryDir windowed_dir;
  QTemporaryDir headless_dir;
  WriteFullPreset(windowed_dir.path(), false);
  WriteFullPreset(headless_dir.path(), false);
  WindowedProgram windowed(GbkPath(windowed_dir));
  HeadlessProgram headless(GbkPath(headless_dir));
  std::vector<QCheckBox*> boxes;
  std::vector<ControlRef> refs;
  for (int tag = 1; tag <= kTags; ++tag) {
    boxes.push_back(windowed.Widget<QCheckBox>("标签选择框" + std::to_string(tag)));
    refs.push_back(headless.Ref("标签选择框" + std::to_string(tag)));
  }
  RunPaired(
      state,
      [&] {
        const auto start = std::chrono::steady_clock::now();
        for (QCheckBox* box : boxes) {
          box->click();
          Settle();
        }
        return Microseconds(std::chrono::steady_clock::now() - start) / kTags;
      },
      [&] {
        const auto start = std::chrono::steady_clock::now();
        for (const ControlRef& ref : refs) headless.model().UserToggle(ref);
        return Microseconds(std::chrono::steady_clock::now() - start) / kTags;
      });
  if (windowed.model().ItemCount(windowed.Ref("列表框1")) != kTags) {
    state.SkipWithError("the list does not hold the ticked Tags");
  }
}
BENCHMARK(BM_TickEachTag)->Iterations(1)->Unit(benchmark::kMillisecond);

void TypeCharacters(QWidget* edit, int count) {
  for (int i = 0; i < count; ++i) {
    QKeyEvent press(QEvent::KeyPress, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(edit, &press);
    QKeyEvent release(QEvent::KeyRelease, Qt::Key_A, Qt::NoModifier, QStringLiteral("a"));
    QApplication::sendEvent(edit, &release);
    Settle();
  }
}

// 1,000 characters typed at the end of a 160 KB Tag content on its page in the main window,
// against a bare QPlainTextEdit of the box's size holding the same text; per keystroke, the
// repaint included.
void BM_TypeIntoLongContent(benchmark::State& state) {
  constexpr int kCharacters = 1000;
  QTemporaryDir run_dir;
  WriteFullPreset(run_dir.path(), true);
  WindowedProgram windowed(GbkPath(run_dir));
  std::string long_content;
  while (long_content.size() < 16 * kContentBytes) long_content += TagContent(1, "\r\n");
  windowed.model().SetText(windowed.Ref("标签内容编辑框1"), long_content);
  windowed.model().UserSelectPage(windowed.Ref("框架选择夹"), 1);
  windowed.model().UserSelectPage(windowed.Ref("设置选择夹"), 1);
  Settle();
  auto* edit = windowed.Widget<QPlainTextEdit>("标签内容编辑框1");
  edit->setFocus();
  edit->moveCursor(QTextCursor::End);

  QPlainTextEdit bare;
  bare.resize(edit->size());
  bare.setPlainText(ToQtLines(long_content));
  bare.show();
  bare.moveCursor(QTextCursor::End);
  Settle();
  RunPaired(
      state,
      [&] {
        const auto start = std::chrono::steady_clock::now();
        TypeCharacters(edit, kCharacters / kRounds);
        return Microseconds(std::chrono::steady_clock::now() - start) / (kCharacters / kRounds);
      },
      [&] {
        const auto start = std::chrono::steady_clock::now();
        TypeCharacters(&bare, kCharacters / kRounds);
        return Microseconds(std::chrono::steady_clock::now() - start) / (kCharacters / kRounds);
      });
  const std::size_t typed = static_cast<std::size_t>(kCharacters / kRounds * kRounds);
  if (windowed.model().Text(windowed.Ref("标签内容编辑框1")).size() !=
      long_content.size() + typed) {
    state.SkipWithError("the model did not get every keystroke");
  }
}
BENCHMARK(BM_TypeIntoLongContent)->Iterations(1)->Unit(benchmark::kMillisecond);

// ReadPreset with 39 ticked Tags: a click on the button in the window, the repaint included,
// against the same command run by the model without a window.
void BM_ReadPresetThirtyNineTicked(benchmark::State& state) {
  QTemporaryDir windowed_dir;
  QTemporaryDir headless_dir;
  WriteFullPreset(windowed_dir.path(), true);
  WriteFullPreset(headless_dir.path(), true);
  WindowedProgram windowed(GbkPath(windowed_dir));
  HeadlessProgram headless(GbkPath(headless_dir));
  auto* button = windowed.Widget<QPushButton>("读取预设按钮");
  const ControlRef headless_button = headless.Ref("读取预设按钮");
  RunPaired(
      state,
      [&] {
        const auto start = std::chrono::steady_clock::now();
        button->click();
        Settle();
        return Microseconds(std::chrono::steady_clock::now() - start);
      },
      [&] {
        const auto start = std::chrono::steady_clock::now();
        headless.model().UserClick(headless_button);
        return Microseconds(std::chrono::steady_clock::now() - start);
      });
  if (windowed.model().ItemCount(windowed.Ref("列表框1")) != kTags) {
    state.SkipWithError("the list does not hold the ticked Tags");
  }
}
BENCHMARK(BM_ReadPresetThirtyNineTicked)->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace velmora

int main(int argc, char* argv[]) {
  // Before the QApplication: the windows need no display, and the programs started by the
  // start-up benchmark inherit the setting.
  qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  velmora::SetUpApplication(app);
  benchmark::Initialize(&argc, argv);
  if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
  benchmark::RunSpecifiedBenchmarks();
  benchmark::Shutdown();
  return 0;
}
