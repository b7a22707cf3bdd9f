#include <QApplication>
#include <QMessageBox>
#include <cstdio>
#include <cstring>
#include <string>
#include <string_view>

#include "app/run_directory_notice.h"
#include "gui/application_setup.h"
#include "gui/desktop_program.h"
#include "gui/fatal_report_box.h"
#include "gui/gui_text.h"
#include "gui/run_directory_hold.h"
#include "runtime/clock.h"
#include "runtime/fatal_error.h"
#include "runtime/gbk_codec.h"
#include "runtime/run_location.h"

namespace {

constexpr int kUsageExitCode = 2;

constexpr const char* kHelp =
    "Usage: velmora [--run-dir DIR]\n"
    "Assembles a document out of ready-made text blocks.\n"
    "\n"
    "  --run-dir DIR  keep the Data folder and the exported documents in DIR\n"
    "  --help         show this help and exit\n"
    "  --version      show the version and exit\n"
    "\n"
    "Without --run-dir they are kept beside the executable when the user may write there (the\n"
    "Data folder standing there, or the folder when there is none yet), and in Velmora inside\n"
    "the documents folder otherwise.\n"
    "Qt's own options, such as -platform, are understood as well.\n";

// Answered before Qt starts, so that they work without a display.
bool AnswersAtOnce(int argc, char** argv, int& code) {
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--version") == 0) {
      std::printf("velmora %s\n", VELMORA_VERSION);
      code = 0;
      return true;
    }
    if (std::strcmp(argv[i], "--help") == 0) {
      std::fputs(kHelp, stdout);
      code = 0;
      return true;
    }
  }
  return false;
}

// The arguments that Qt left: only --run-dir DIR. False for anything else.
bool ReadRunDirArgument(const QStringList& arguments, std::string& run_dir) {
  for (qsizetype i = 1; i < arguments.size(); ++i) {
    if (arguments[i] != QStringLiteral("--run-dir") || i + 1 == arguments.size()) {
      std::fprintf(stderr, "velmora: unexpected argument %s\n%s", qPrintable(arguments[i]), kHelp);
      return false;
    }
    run_dir = arguments[++i].toStdString();
  }
  return true;
}

void Show(const velmora::RunDirectoryNotice& notice) {
  const QString title = velmora::ToQt(notice.title);
  const QString text = velmora::ToQtLines(notice.text);
  if (notice.warning) {
    QMessageBox::warning(nullptr, title, text);
  } else {
    QMessageBox::information(nullptr, title, text);
  }
}

}  // namespace

int main(int argc, char* argv[]) {
  int code = 0;
  if (AnswersAtOnce(argc, argv, code)) return code;
  QApplication app(argc, argv);
  std::string chosen_run_dir;
  if (!ReadRunDirArgument(QCoreApplication::arguments(), chosen_run_dir)) return kUsageExitCode;
  velmora::SetUpApplication(app);
  velmora::FatalReportBox fatal_report;
  velmora::SetFatalErrorSink(&fatal_report);

  // The run directory is fixed before the first window, whatever folder the program was
  // started from.
  const velmora::RunDirectoryResult run_directory = velmora::PrepareRunDirectory(chosen_run_dir);
  velmora::RunDirectoryHold hold(run_directory.folder);
  // A folder that could not be made holds nothing to guard: the program runs and tells so.
  const auto claim =
      run_directory.ready ? hold.Take() : velmora::RunDirectoryHold::Claim::kUnlockable;
  if (claim == velmora::RunDirectoryHold::Claim::kBroughtForward) return 0;
  if (claim == velmora::RunDirectoryHold::Claim::kHeldUnanswered) {
    Show(velmora::NoticeOfHeldRunDirectory(run_directory.folder, hold.cause()));
    return 0;
  }
  if (run_directory.ready) velmora::LogRunDirectoryFailure(hold.cause());
  // Served from here on, so that a second start while the notice below waits for its OK brings
  // the notice forward rather than finding no one to ask.
  QWidget* main_window = nullptr;
  if (claim == velmora::RunDirectoryHold::Claim::kHeld)
    hold.Serve([&main_window] { return main_window; });
  if (const auto notice = velmora::NoticeOfRunDirectory(run_directory)) Show(*notice);
  const velmora::SystemClock clock;
  velmora::DesktopProgram desktop(velmora::Utf8ToGbk(run_directory.folder), clock,
                                  [] { QCoreApplication::exit(0); });
  if (desktop.program().Finished()) return 0;
  main_window = desktop.main_window();
  return QApplication::exec();
}
