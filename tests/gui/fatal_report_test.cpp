// The fatal error report in the desktop program: a fault raised inside the event loop shows the
// report box over the real windows and the process ends with exit code -1. Each case runs the
// program in a death-test child; the child's QApplication exists only there.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

#include "gui/application_setup.h"
#include "gui/desktop_program.h"
#include "gui/fatal_report_box.h"
#include "runtime/clock.h"
#include "runtime/fatal_error.h"
#include "runtime/gbk_codec.h"

namespace velmora {
namespace {

// Accepts every message box that comes up and tells on stderr what it showed, on one line:
// title, whether it had the error icon and whether it blocked the other windows, then the text.
void AcceptBoxesAndTell() {
  auto* timer = new QTimer(qApp);
  timer->setInterval(20);
  QObject::connect(timer, &QTimer::timeout, [] {
    auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
    if (box == nullptr) return;
    QString text = box->text();
    text.replace(QLatin1Char('\n'), QLatin1Char('|'));
    std::fprintf(stderr, "box[%s critical=%d modal=%d] %s\n",
                 box->windowTitle().toUtf8().constData(), box->icon() == QMessageBox::Critical,
                 box->windowModality() == Qt::ApplicationModal, text.toUtf8().constData());
    box->buttons().at(0)->click();
  });
  timer->start();
}

// The desktop program as main() builds it, with a fault raised from the event loop the way a
// command would raise it.
void RunProgramThatFaults(int error_number) {
  int argc = 1;
  char name[] = "fatal_report_test";
  char* argv[] = {name, nullptr};
  QApplication app(argc, argv);
  SetUpApplication(app);
  FatalReportBox fatal_report;
  SetFatalErrorSink(&fatal_report);
  QTemporaryDir run_dir;
  const FixedClock clock(46037.4375);
  DesktopProgram desktop(Utf8ToGbk(run_dir.path().toStdString()), clock,
                         [] { QCoreApplication::exit(0); });
  AcceptBoxesAndTell();
  QTimer::singleShot(0, [error_number] { ReportRuntimeError(error_number, 67187515, 178); });
  QApplication::exec();
  std::fprintf(stderr, "the event loop returned\n");
  std::exit(1);
}

TEST(FatalReportDeathTest, TypeMismatchShowsTheReportBoxAndEndsWithMinusOne) {
  EXPECT_EXIT(RunProgramThatFaults(kErrorTypeMismatch), testing::ExitedWithCode(255),
              "box\\[错误 critical=1 modal=1\\] 运行时出错!\\|\\|错误代码：5\\|\\|"
              "错误信息：数据或数组类型不匹配\\|\\|67187515, 178\\|\n");
}

TEST(FatalReportDeathTest, IndexBelowOneNamesItsOwnMessage) {
  EXPECT_EXIT(RunProgramThatFaults(kErrorIndexBelowOne), testing::ExitedWithCode(255),
              "错误代码：4\\|\\|错误信息：数组成员引用下标必须大于等于1\\|");
}

}  // namespace
}  // namespace velmora

// The report ends the process from inside the event loop, so the QApplication that would hand
// fontconfig's pattern cache back is never destroyed: that block is still held at exit, by
// design, and is no leak of the program's.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

int main(int argc, char* argv[]) {
  testing::InitGoogleTest(&argc, argv);
  // The child re-runs this program for its one case, so no Qt state is shared with a fork.
  GTEST_FLAG_SET(death_test_style, "threadsafe");
  return RUN_ALL_TESTS();
}
