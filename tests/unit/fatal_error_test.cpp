#include "runtime/fatal_error.h"
#include "exit_code.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>

namespace velmora {
namespace {

using ::testing::ExitedWithCode;
using ::testing::HasSubstr;

using testing::kExitMinusOne;

class StderrSink : public FatalErrorSink {
 public:
  void ShowFatalReport(std::string_view body) override {
    std::fprintf(stderr, "[report]%.*s[end]", static_cast<int>(body.size()), body.data());
  }
};

int Count(const std::string& text, const std::string& part) {
  int count = 0;
  for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1)) {
    ++count;
  }
  return count;
}

TEST(FatalReportTest, RuntimeError5Body) {
  FaultPlace place;
  place.first = 67187515;
  place.second = 178;
  EXPECT_EQ(FatalReportBody(kErrorTypeMismatch, RuntimeErrorMessage(kErrorTypeMismatch),
                            FaultPlaceText(place)),
            "运行时出错!\r\n\r\n错误代码：5\r\n\r\n错误信息：数据或数组类型不匹配\r\n\r\n"
            "67187515, 178\r\n");
}

TEST(FatalReportTest, PlaceTextForWindowsAndControls) {
  FaultPlace place;
  place.first = 3;
  place.second = -1;
  place.names_window = true;
  EXPECT_EQ(FaultPlaceText(place), "\r\n3, -1\r\n未找到所指定的窗口\r\n");
  place.window_found = true;
  place.window_mark = "w";
  EXPECT_EQ(FaultPlaceText(place), "\r\n3, -1\r\n\"w\"\r\n未找到所指定的窗口组件\r\n");
  place.control_found = true;
  place.control_mark = "1001";
  EXPECT_EQ(FaultPlaceText(place), "\r\n3, -1\r\n\"w\"\r\n\"1001\"\r\n");
}

TEST(FatalReportTest, FreeTextHasNoErrorCodeAndAnEmptyMessageNoMessageLine) {
  FaultPlace start_window;  // the start-window failure: the main window's empty mark twice
  start_window.first = 1;
  start_window.names_window = true;
  start_window.window_found = true;
  start_window.control_found = true;
  EXPECT_EQ(FatalReportBody(0, "载入启动窗口失败", FaultPlaceText(start_window)),
            "运行时出错!\r\n\r\n错误信息：载入启动窗口失败\r\n\r\n1, 0\r\n\"\"\r\n\"\"\r\n");
  EXPECT_EQ(FatalReportBody(4, "", "\r\n0, 0\r\n"),
            "运行时出错!\r\n\r\n错误代码：4\r\n\r\n0, 0\r\n");
}

TEST(FatalReportTest, RuntimeErrorMessages) {
  EXPECT_EQ(RuntimeErrorMessage(kErrorIndexAboveRange), "数组成员引用下标超出定义范围");
  EXPECT_EQ(RuntimeErrorMessage(kErrorIndexBelowOne), "数组成员引用下标必须大于等于1");
  EXPECT_EQ(RuntimeErrorMessage(2), "");
}

TEST(FatalReportDeathTest, ReportShowsOnceThenRunsExitRoutinesInOrderAndExitsMinusOne) {
  StderrSink sink;
  const auto report_once_then_routines = [](const std::string& output) {
    const auto routines = output.find("[first][second]");
    return Count(output, "[report]") == 1 && routines != std::string::npos &&
           output.find("[end]") < routines;
  };
  EXPECT_EXIT(
      {
        SetFatalErrorSink(&sink);
        RegisterExitRoutine([] { std::fputs("[first]", stderr); });
        RegisterExitRoutine([] {
          std::fputs("[second]", stderr);
          // A fault during shutdown neither shows a second report nor reruns the routines.
          ReportRuntimeError(kErrorIndexBelowOne, 1, 1);
        });
        ReportRuntimeError(kErrorTypeMismatch, 67187515, 178);
      },
      ExitedWithCode(kExitMinusOne), ::testing::Truly(report_once_then_routines));
}

TEST(FatalReportDeathTest, FaultInsideTheSinkDoesNotReportTwice) {
  class ReentrantSink : public FatalErrorSink {
   public:
    void ShowFatalReport(std::string_view body) override {
      std::fprintf(stderr, "[report]%.*s", static_cast<int>(body.size()), body.data());
      ReportFatalText("again", FaultPlace{});
    }
  };
  ReentrantSink sink;
  EXPECT_EXIT(
      {
        SetFatalErrorSink(&sink);
        ReportFatalText("分配 8 字节内存失败!", FaultPlace{});
      },
      ExitedWithCode(kExitMinusOne),
      ::testing::AllOf(HasSubstr("错误信息：分配 8 字节内存失败!"),
                       ::testing::Not(HasSubstr("again"))));
}

TEST(FatalReportDeathTest, WithoutSinkStillEndsWithMinusOne) {
  EXPECT_EXIT(ReportRuntimeError(kErrorIndexAboveRange, 1, 2), ExitedWithCode(kExitMinusOne), "");
}

// A request no allocator can meet ends in the report with its size, not in an exception.
TEST(FatalReportDeathTest, FailedAllocationReportsTheByteCount) {
#if defined(__SANITIZE_ADDRESS__)
  // The sanitizer's own operator new is linked in place of the program's and reports itself.
  GTEST_SKIP();
#endif
  EXPECT_EXIT(
      {
        StderrSink sink;
        SetFatalErrorSink(&sink);
        volatile std::size_t size = static_cast<std::size_t>(PTRDIFF_MAX) + 1;
        void* memory = ::operator new(size);
        std::fprintf(stderr, "allocated %p\n", memory);
      },
      ExitedWithCode(kExitMinusOne), "9223372036854775808");
}

}  // namespace
}  // namespace velmora
