#pragma once

// The one way the program stops on a fault: a report in a message box titled "错误" with the
// error icon, then shutdown with exit code -1.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

inline constexpr int kErrorIndexAboveRange = 1;
inline constexpr int kErrorIndexBelowOne = 4;
inline constexpr int kErrorTypeMismatch = 5;

// The fixed message of runtime errors 1, 4 and 5; empty for any other number.
std::string RuntimeErrorMessage(int error_number);

// What the report knows of the place: the two numbers and, when the first names a window of
// the layout, the marks found for it.
struct FaultPlace {
  int first = 0;
  int second = 0;
  bool names_window = false;  // the first number is a window identifier
  bool window_found = false;  // that window exists in the layout
  std::string window_mark;
  bool control_found = false;  // the control (or the window's own entry) was found
  std::string control_mark;
};

std::string FaultPlaceText(const FaultPlace& place);
std::string FatalReportBody(int error_number, std::string_view message,
                            std::string_view place_text);

// Where the report is shown (a message box in the desktop program, a transcript line in the
// script runner). The sink returns; the process then shuts down.
class FatalErrorSink {
 public:
  virtual ~FatalErrorSink() = default;
  virtual void ShowFatalReport(std::string_view body) = 0;  // GBK
};
void SetFatalErrorSink(FatalErrorSink* sink);

// Exit routines run in order of registration at shutdown.
void RegisterExitRoutine(std::function<void()> routine);
[[noreturn]] void Shutdown(int exit_code);

[[noreturn]] void ReportRuntimeError(int error_number, int first_place, int second_place);
[[noreturn]] void ReportFatalText(std::string_view message, const FaultPlace& place);

}  // namespace velmora
