#include <QApplication>
#include <QDir>
#include <string>

#include "gui/application_setup.h"
#include "gui/desktop_program.h"
#include "gui/fatal_report_box.h"
#include "runtime/clock.h"
#include "runtime/fatal_error.h"
#include "runtime/gbk_codec.h"

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  velmora::SetUpApplication(app);
  velmora::FatalReportBox fatal_report;
  velmora::SetFatalErrorSink(&fatal_report);

  // The run directory is the executable's folder, whatever folder the program was started from.
  const std::string run_directory = velmora::Utf8ToGbk(
      QDir::toNativeSeparators(QCoreApplication::applicationDirPath()).toStdString());
  const velmora::SystemClock clock;
  velmora::DesktopProgram desktop(run_directory, clock,
                                  [](int code) { QCoreApplication::exit(code); });
  if (desktop.program().Finished()) return desktop.program().ExitCode();
  return QApplication::exec();
}
