// velmora-script [--run-dir DIR] [--now "YYYY-MM-DD HH:MM:SS"] SCRIPT|-
//
// Runs the program headless in DIR (without one, in the run directory that the desktop program
// would choose) under a script and prints the transcript on standard output. Exit code: the
// program's own (0 after closing the main window or at the end of the script, -1 after a fatal
// error report), 2 for a script error, a wrong command line or a run directory that another
// program works in.

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#endif

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <memory>
#include <optional>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "app/run_directory_notice.h"
#include "runtime/clock.h"
#include "runtime/fatal_error.h"
#include "runtime/gbk_codec.h"
#include "runtime/run_directory_lock.h"
#include "runtime/run_location.h"
#include "runtime/utf8_path.h"
#include "script_parser.h"
#include "script_runner.h"
#include "script_session.h"
#include "transcript.h"

namespace {

constexpr int kUsageExitCode = 2;
constexpr int kRunDirectoryHeldExitCode = 2;
constexpr const char* kUsage =
    "usage: velmora-script [--run-dir DIR] [--now \"YYYY-MM-DD HH:MM:SS\"] SCRIPT|-\n";

struct Options {
  std::optional<std::string> answer;  // --help or --version: printed instead of a run
  std::string run_dir;
  std::optional<std::string> now;
  std::string script;
};

int Usage(std::string_view problem) {
  std::cerr << "velmora-script: " << problem << "\n" << kUsage;
  return kUsageExitCode;
}

std::optional<Options> ReadOptions(const std::vector<std::string>& argv, std::string& problem) {
  Options options;
  bool have_script = false;
  const int argc = static_cast<int>(argv.size());
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    if (arg == "--version") {
      options.answer = "velmora-script " VELMORA_VERSION "\n";
      return options;
    }
    if (arg == "--help") {
      options.answer = std::string(kUsage) +
                       "Runs Velmora headless under a script and prints the transcript.\n"
                       "See velmora-script(1).\n";
      return options;
    }
    if ((arg == "--run-dir" || arg == "--now") && i + 1 < argc) {
      (arg == "--run-dir" ? options.run_dir : options.now.emplace()) = argv[++i];
    } else if (!have_script && (arg == "-" || !arg.starts_with("--"))) {
      options.script = arg;
      have_script = true;
    } else {
      problem = "unexpected argument " + std::string(arg);
      return std::nullopt;
    }
  }
  if (!have_script) {
    problem = "a script is required";
    return std::nullopt;
  }
  return options;
}

bool ReadScript(const std::string& name, std::string& text) {
  if (name == "-") {
    text.assign(std::istreambuf_iterator<char>(std::cin), std::istreambuf_iterator<char>());
    return true;
  }
  std::ifstream in(velmora::PathFromUtf8(name), std::ios::binary);
  if (!in) return false;
  text.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  return true;
}

std::unique_ptr<velmora::Clock> MakeClock(const std::optional<std::string>& now) {
  if (!now) return std::make_unique<velmora::SystemClock>();
  const std::string_view text = *now;
  std::optional<velmora::CalendarTime> time;
  if (text.size() == 19 && text[10] == ' ') time = velmora::ParseDate(text.substr(0, 10));
  if (!time || !velmora::ParseTimeOfDay(text.substr(11), *time)) return nullptr;
  return std::make_unique<velmora::FixedClock>(velmora::FromCalendarTime(*time));
}

// The command line in UTF-8 on every platform; on Windows from the wide command line, since
// the narrow one is in the ANSI code page.
std::vector<std::string> Utf8Arguments([[maybe_unused]] int argc, [[maybe_unused]] char** argv) {
#ifdef _WIN32
  int count = 0;
  wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::string> arguments;
  for (int i = 0; wide != nullptr && i < count; ++i) {
    arguments.push_back(velmora::Utf8FromPath(std::filesystem::path(wide[i])));
  }
  LocalFree(wide);
  return arguments;
#else
  return std::vector<std::string>(argv, argv + argc);
#endif
}

// The transcript is bytes: no CR is added before LF, and a script read from standard input
// keeps its line breaks.
void UseBinaryStandardStreams() {
#ifdef _WIN32
  _setmode(_fileno(stdin), _O_BINARY);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
#endif
}

}  // namespace

int main(int argc, char** argv) {
  UseBinaryStandardStreams();
  std::string problem;
  const std::optional<Options> options = ReadOptions(Utf8Arguments(argc, argv), problem);
  if (!options) return Usage(problem);
  if (options->answer) {
    std::cout << *options->answer;
    return 0;
  }
  const std::unique_ptr<velmora::Clock> clock = MakeClock(options->now);
  if (!clock) return Usage("--now wants \"YYYY-MM-DD HH:MM:SS\"");
  std::string script;
  if (!ReadScript(options->script, script)) return Usage("cannot read " + options->script);

  const velmora::RunDirectoryResult run_dir = velmora::PrepareRunDirectory(options->run_dir);
  if (!run_dir.ready) return Usage(run_dir.ready.cause());
  // A desktop program or another script working in the same Data folder would lose the other's
  // Preset changes: refused before any file is touched. A file system without locks runs
  // unguarded, as before.
  velmora::RunDirectoryLock lock;
  const velmora::FileResult locked = lock.Take(run_dir.folder);
  if (lock.held_elsewhere()) {
    std::cerr << "velmora-script: " << locked.cause() << "; close it and try again\n";
    return kRunDirectoryHeldExitCode;
  }
  velmora::LogRunDirectoryFailure(locked);
  velmora::LogRunDirectoryFailure(run_dir.carried);

  velmora::Transcript transcript(std::cout);
  velmora::ParsedScript parsed = velmora::ParseScript(script);
  if (parsed.error_line != 0)
    velmora::EndWithScriptError(transcript, parsed.error_line, parsed.error);
  velmora::ScriptSession session(std::move(parsed.commands), parsed.line_count, transcript);
  velmora::ScriptRunner runner(session);
  runner.Run(velmora::Utf8ToGbk(run_dir.folder), *clock);
  transcript.Line("exit 0");
  transcript.Flush();
  velmora::Shutdown(0);
}
