#include "runtime/date_time.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "runtime/clock.h"

namespace velmora {
namespace {

DateTime Date(int year, int month, int day, int hour = 0, int minute = 0, int second = 0) {
  return FromCalendarTime(CalendarTime{year, month, day, hour, minute, second});
}

void ExpectFields(DateTime value, const CalendarTime& expected) {
  const CalendarTime t = ToCalendarTime(value);
  EXPECT_EQ(t.year, expected.year) << value;
  EXPECT_EQ(t.month, expected.month) << value;
  EXPECT_EQ(t.day, expected.day) << value;
  EXPECT_EQ(t.hour, expected.hour) << value;
  EXPECT_EQ(t.minute, expected.minute) << value;
  EXPECT_EQ(t.second, expected.second) << value;
}

TEST(DateTimeTest, ValuesAndFieldsAgree) {
  struct Case {
    DateTime value;
    CalendarTime fields;
  };
  const Case cases[] = {
      {0.0, {1899, 12, 30, 0, 0, 0}},    {0.5, {1899, 12, 30, 12, 0, 0}},
      {1.0, {1899, 12, 31, 0, 0, 0}},    {-1.0, {1899, 12, 29, 0, 0, 0}},
      {-1.25, {1899, 12, 29, 6, 0, 0}},  {-0.5, {1899, 12, 30, 12, 0, 0}},
      {60.0, {1900, 2, 28, 0, 0, 0}},    {61.0, {1900, 3, 1, 0, 0, 0}},
      {36585.0, {2000, 2, 29, 0, 0, 0}}, {44957.0, {2023, 1, 31, 0, 0, 0}},
      {-657434.0, {100, 1, 1, 0, 0, 0}}, {2958465.0, {9999, 12, 31, 0, 0, 0}},
  };
  for (const Case& c : cases) {
    ExpectFields(c.value, c.fields);
    // -0.5 names the same time as 0.5, which is what the fields convert back to.
    EXPECT_DOUBLE_EQ(FromCalendarTime(c.fields), c.value == -0.5 ? 0.5 : c.value);
  }
}

TEST(DateTimeTest, RoundsToTheNearestSecondAwayFromZero) {
  const DateTime second = 1.0 / 86400.0;
  ExpectFields(Date(2023, 1, 31, 23, 59, 59) + 0.6 * second, {2023, 2, 1, 0, 0, 0});
  ExpectFields(Date(2023, 1, 31, 23, 59, 59) + 0.4 * second, {2023, 1, 31, 23, 59, 59});
  // Below zero the rounding moves the time of day forward as well.
  ExpectFields(-1.0 - 0.6 * second, {1899, 12, 29, 0, 0, 1});
  ExpectFields(-1.0 - 0.4 * second, {1899, 12, 29, 0, 0, 0});
}

TEST(DateTimeTest, ClampsToTheValidRange) {
  EXPECT_EQ(ClampDateTime(3e6), kMaxDateTime);
  EXPECT_EQ(ClampDateTime(-1e9), kMinDateTime);
  EXPECT_EQ(ClampDateTime(12.5), 12.5);
  ExpectFields(2958465.9, {9999, 12, 31, 0, 0, 0});
  ExpectFields(-657434.5, {100, 1, 1, 0, 0, 0});
  ExpectFields(std::numeric_limits<double>::infinity(), {9999, 12, 31, 0, 0, 0});
  ExpectFields(-std::numeric_limits<double>::infinity(), {100, 1, 1, 0, 0, 0});
  ExpectFields(std::nan(""), {1899, 12, 30, 0, 0, 0});
  EXPECT_EQ(Date(20000, 1, 1), kMaxDateTime);
  EXPECT_EQ(Date(-5, 1, 1), kMinDateTime);
}

TEST(DateTimeTest, FieldsOutOfRangeCarryOver) {
  EXPECT_EQ(Date(2022, 13, 1), Date(2023, 1, 1));
  EXPECT_EQ(Date(2023, 0, 1), Date(2022, 12, 1));
  EXPECT_EQ(Date(2023, 1, 32), Date(2023, 2, 1));
  EXPECT_EQ(Date(2023, 1, 1, 24), Date(2023, 1, 2));
  EXPECT_EQ(Date(1899, 12, 29, 30), Date(1899, 12, 30, 6));
}

TEST(DateTimeTest, EveryDayOfTheRangeRoundTrips) {
  // The clamp is numeric: below zero a time of day moves a value away from zero, so the first
  // and the last day of the range hold only their midnight.
  for (int day = -657433; day < 2958465; day += 7) {
    const DateTime value = day + (day >= 0 ? 0.75 : -0.75);
    const CalendarTime t = ToCalendarTime(value);
    ASSERT_EQ(t.hour, 18) << day;
    ASSERT_EQ(FromCalendarTime(t), value) << day;
  }
}

TEST(DateTimeTest, DateIntervalCountsCalendarMonths) {
  EXPECT_EQ(DateInterval(Date(2023, 2, 1), Date(2023, 1, 31)), 1.0);
  EXPECT_EQ(DateInterval(Date(2023, 1, 1), Date(2023, 1, 31)), 0.0);
  EXPECT_EQ(DateInterval(Date(2022, 3, 15), Date(2023, 5, 1)), -14.0);
  EXPECT_EQ(DateInterval(Date(2023, 5, 1), Date(2022, 3, 15)), 14.0);
  EXPECT_EQ(DateInterval(Date(2023, 5, 1, 13), Date(2023, 5, 1, 13)), 0.0);
  EXPECT_EQ(DateInterval(Date(2023, 1, 31, 23, 59, 59) + 0.6 / 86400.0, Date(2023, 1, 1)), 1.0);
  EXPECT_EQ(DateInterval(5e6, Date(9999, 11, 30)), 1.0);
  EXPECT_EQ(DateInterval(-1e7, 5e6), -(9899.0 * 12 + 11));
  // Equal as passed, even where the clamp would also make them equal.
  EXPECT_EQ(DateInterval(4e6, 4e6), 0.0);
}

TEST(DateTimeTest, SystemClockGivesADateInRange) {
  const DateTime now = SystemClock().Now();
  EXPECT_GT(now, Date(2020, 1, 1));
  EXPECT_LT(now, kMaxDateTime);
}

}  // namespace
}  // namespace velmora
