#include "app/time_difference.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "app/program.h"
#include "runtime/clock.h"
#include "runtime/gbk_codec.h"
#include "temp_folder.h"

namespace velmora {
namespace {

class SilentDialogs final : public Dialogs {
 public:
  int MessageBox(std::string_view, int, std::string_view) override { return kResultCancel; }
  bool InputBox(std::string_view, std::string_view, std::string&) override { return false; }
};

class NoShell final : public Shell {
 public:
  void ShowFolder(std::string_view) override {}
};

// Plays the user inside the modal window, then closes it.
class ActingModal final : public ModalHost {
 public:
  std::function<void(WindowId)> act;
  ControlModel* model = nullptr;
  void RunModal(WindowId window) override {
    if (act) act(window);
    model->UserClose(window);
  }
};

class TimeDifferenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    program_ = std::make_unique<Program>(Utf8ToGbk(dir_.path()),
                                         ProgramServices{clock_, dialogs_, shell_, modal_});
    modal_.model = &program_->model();
  }
  void TearDown() override { program_.reset(); }
  ControlRef In(WindowId window, std::string_view name) {
    return program_->model().Find(window, name);
  }
  // Opens the window, picks the dates, presses "计算" and gives what the result box shows.
  std::string Months(const CalendarTime& start, const CalendarTime& end) {
    std::string shown;
    modal_.act = [&](WindowId window) {
      ControlModel& model = program_->model();
      model.UserPickDate(In(window, "时差日期框1"), FromCalendarTime(start));
      model.UserPickDate(In(window, "时差日期框2"), FromCalendarTime(end));
      model.UserClick(In(window, "时差计算按钮"));
      shown = model.Text(In(window, "时差结果编辑框"));
    };
    OpenTimeDifference(program_->context());
    return shown;
  }

  FixedClock clock_{FromCalendarTime({2026, 1, 15, 10, 30, 0})};
  SilentDialogs dialogs_;
  NoShell shell_;
  ActingModal modal_;
  testing::TempFolder dir_;
  std::unique_ptr<Program> program_;
};

TEST_F(TimeDifferenceTest, CountsCalendarMonthsWhateverTheOrderAndTheDay) {
  EXPECT_EQ(Months({2023, 1, 31}, {2023, 2, 1}), "1");
  EXPECT_EQ(Months({2023, 1, 1}, {2023, 1, 31}), "0");
  EXPECT_EQ(Months({2023, 5, 1}, {2022, 3, 15}), "14");
  EXPECT_EQ(Months({2023, 5, 1, 23, 59, 59}, {2023, 5, 1}), "0");
  EXPECT_EQ(Months({2020, 6, 30}, {2023, 6, 1}), "36");
  EXPECT_EQ(Months({100, 1, 1}, {9999, 12, 31}), "118799");
}

TEST_F(TimeDifferenceTest, ANewDateAloneLeavesTheResultAndEachOpeningStartsAfresh) {
  std::string after_pick;
  std::string opened_with;
  DateTime start_shown = 0;
  modal_.act = [&](WindowId window) {
    ControlModel& model = program_->model();
    opened_with = model.Text(In(window, "时差结果编辑框"));
    start_shown = model.Date(In(window, "时差日期框1"));
    model.UserPickDate(In(window, "时差日期框1"), FromCalendarTime({2025, 1, 1}));
    model.UserClick(In(window, "时差计算按钮"));
    model.UserPickDate(In(window, "时差日期框1"), FromCalendarTime({2024, 1, 1}));
    after_pick = model.Text(In(window, "时差结果编辑框"));
  };
  OpenTimeDifference(program_->context());
  EXPECT_EQ(after_pick, "12");
  OpenTimeDifference(program_->context());
  EXPECT_EQ(opened_with, "");
  EXPECT_EQ(start_shown, clock_.Now());
}

}  // namespace
}  // namespace velmora
