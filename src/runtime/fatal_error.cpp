#include "runtime/fatal_error.h"

#include <cstdio>
#include <cstdlib>
#include <utility>
#include <vector>

namespace velmora {

namespace {

struct ShutdownState {
  FatalErrorSink* sink = nullptr;
  std::vector<std::function<void()>> exit_routines;
  bool reporting = false;
  bool shutting_down = false;
  int exit_code = 0;
};

ShutdownState& State() {
  static ShutdownState state;
  return state;
}

std::string Quoted(std::string_view mark) {
  std::string quoted = "\"";
  quoted += mark;
  quoted += '"';
  return quoted;
}

[[noreturn]] void Report(int error_number, std::string_view message, std::string_view place_text) {
  ShutdownState& state = State();
  // A fault raised while a report is shown or while the exit routines run would otherwise show
  // a second box; only the first report is shown.
  if (!state.reporting && !state.shutting_down) {
    state.reporting = true;
    if (state.sink != nullptr) {
      state.sink->ShowFatalReport(FatalReportBody(error_number, message, place_text));
    }
  }
  Shutdown(-1);
}

}  // namespace

std::string RuntimeErrorMessage(int error_number) {
  switch (error_number) {
    case kErrorIndexAboveRange:
      return "数组成员引用下标超出定义范围";
    case kErrorIndexBelowOne:
      return "数组成员引用下标必须大于等于1";
    case kErrorTypeMismatch:
      return "数据或数组类型不匹配";
    default:
      return {};
  }
}

std::string FaultPlaceText(const FaultPlace& place) {
  char numbers[32];
  std::snprintf(numbers, sizeof numbers, "\r\n%d, %d", place.first, place.second);
  std::string text = numbers;
  if (place.names_window) {
    if (place.window_found) {
      text += "\r\n" + Quoted(place.window_mark);
      text += place.control_found ? "\r\n" + Quoted(place.control_mark)
                                  : std::string("\r\n未找到所指定的窗口组件");
    } else {
      text += "\r\n未找到所指定的窗口";
    }
  }
  text += "\r\n";
  return text;
}

std::string FatalReportBody(int error_number, std::string_view message,
                            std::string_view place_text) {
  std::string body = "运行时出错!\r\n";
  if (error_number != 0) {
    body += "\r\n错误代码：" + std::to_string(error_number) + "\r\n";
  }
  if (!message.empty()) {
    body += "\r\n错误信息：";
    body += message;
    body += "\r\n";
  }
  body += place_text;
  return body;
}

void SetFatalErrorSink(FatalErrorSink* sink) { State().sink = sink; }

void RegisterExitRoutine(std::function<void()> routine) {
  State().exit_routines.push_back(std::move(routine));
}

void Shutdown(int exit_code) {
  ShutdownState& state = State();
  if (state.shutting_down) {
    // Reached again from an exit routine: the routines do not run twice and the first exit
    // code is kept.
    std::exit(state.exit_code);
  }
  state.shutting_down = true;
  state.exit_code = exit_code;
  // Index loop: a routine may register another one, which then runs too.
  for (std::size_t i = 0; i < state.exit_routines.size(); ++i) {
    const std::function<void()> routine = state.exit_routines[i];
    if (routine) {
      routine();
    }
  }
  std::fflush(nullptr);
  std::exit(exit_code);
}

void ReportRuntimeError(int error_number, int first_place, int second_place) {
  FaultPlace place;
  place.first = first_place;
  place.second = second_place;
  Report(error_number, RuntimeErrorMessage(error_number), FaultPlaceText(place));
}

void ReportFatalText(std::string_view message, const FaultPlace& place) {
  Report(0, message, FaultPlaceText(place));
}

}  // namespace velmora
