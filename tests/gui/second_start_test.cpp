#include <QApplication>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>

#include "gui/application_setup.h"
#include "gui/desktop_program.h"
#include "gui/run_directory_hold.h"
#include "runtime/clock.h"
#include "runtime/gbk_codec.h"

namespace velmora {

// A second start of the desktop program on the run directory that this process holds, as the
// built program itself: it brings this program's main window to the front and ends with 0.
class SecondStartTest : public QObject {
  Q_OBJECT

 private slots:
  void SecondStartBringsTheRunningWindowForward() {
    QTemporaryDir run_dir;
    QVERIFY(run_dir.isValid());
    const std::string folder = run_dir.path().toStdString();
    RunDirectoryHold hold(folder);
    QCOMPARE(hold.Take(), RunDirectoryHold::Claim::kHeld);
    const FixedClock clock{45306.4375};
    DesktopProgram desktop(Utf8ToGbk(folder), clock);
    hold.Serve([&desktop] { return desktop.main_window(); });
    QWidget* window = desktop.main_window();
    window->showMinimized();
    QTRY_VERIFY(window->isMinimized());

    QProcess second;
    second.start(QStringLiteral(VELMORA_EXECUTABLE),
                 {QStringLiteral("-platform"), QStringLiteral("offscreen"),
                  QStringLiteral("--run-dir"), run_dir.path()});
    QVERIFY(second.waitForStarted());
    // The event loop runs while the second one waits: this program answers it.
    QTRY_VERIFY_WITH_TIMEOUT(second.state() == QProcess::NotRunning, 20000);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QVERIFY(!window->isMinimized());
    QVERIFY(window->isVisible());
    QTRY_COMPARE(QApplication::activeWindow(), window);
  }
};

}  // namespace velmora

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  velmora::SetUpApplication(app);
  velmora::SecondStartTest test;
  return QTest::qExec(&test, argc, argv);
}

#include "second_start_test.moc"
