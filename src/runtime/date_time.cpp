#include "runtime/date_time.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace velmora {

namespace {

constexpr std::int64_t kSecondsPerDay = 86400;
// 1899-12-30 lies this many days before 1970-01-01, the origin of the day arithmetic below.
constexpr std::int64_t kDaysBefore1970 = 25569;
constexpr double kHalfSecond = 0.5 / static_cast<double>(kSecondsPerDay);

std::int64_t FloorDiv(std::int64_t a, std::int64_t b) {
  return a / b - ((a % b != 0) && ((a < 0) != (b < 0)));
}

std::int64_t FloorMod(std::int64_t a, std::int64_t b) { return a - FloorDiv(a, b) * b; }

// Days since 1970-01-01 of a proleptic Gregorian date; month 1 to 12, any day.
std::int64_t DaysFromCivil(std::int64_t year, std::int64_t month, std::int64_t day) {
  year -= month <= 2 ? 1 : 0;
  const std::int64_t era = FloorDiv(year, 400);
  const std::int64_t year_of_era = year - era * 400;
  const std::int64_t day_of_year = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
  const std::int64_t day_of_era =
      year_of_era * 365 + year_of_era / 4 - year_of_era / 100 + day_of_year;
  return era * 146097 + day_of_era - 719468;
}

void CivilFromDays(std::int64_t days, CalendarTime& time) {
  days += 719468;
  const std::int64_t era = FloorDiv(days, 146097);
  const std::int64_t day_of_era = days - era * 146097;
  const std::int64_t year_of_era =
      (day_of_era - day_of_era / 1460 + day_of_era / 36524 - day_of_era / 146096) / 365;
  const std::int64_t day_of_year =
      day_of_era - (365 * year_of_era + year_of_era / 4 - year_of_era / 100);
  const std::int64_t shifted_month = (5 * day_of_year + 2) / 153;
  const std::int64_t month = shifted_month < 10 ? shifted_month + 3 : shifted_month - 9;
  time.day = static_cast<int>(day_of_year - (153 * shifted_month + 2) / 5 + 1);
  time.month = static_cast<int>(month);
  time.year = static_cast<int>(year_of_era + era * 400 + (month <= 2 ? 1 : 0));
}

}  // namespace

DateTime ClampDateTime(DateTime value) {
  // NaN names no day at all; it reads as the origin rather than as garbage fields.
  if (std::isnan(value)) return 0.0;
  return std::clamp(value, kMinDateTime, kMaxDateTime);
}

CalendarTime ToCalendarTime(DateTime value) {
  DateTime rounded = ClampDateTime(value);
  rounded += rounded > 0.0 ? kHalfSecond : -kHalfSecond;
  // The whole part picks the day; the fraction runs forward from its midnight, also below zero.
  const double whole = std::trunc(rounded);
  const double fraction = std::fabs(rounded - whole);
  const std::int64_t seconds =
      std::min(static_cast<std::int64_t>(fraction * kSecondsPerDay), kSecondsPerDay - 1);

  CalendarTime time;
  CivilFromDays(static_cast<std::int64_t>(whole) - kDaysBefore1970, time);
  time.hour = static_cast<int>(seconds / 3600);
  time.minute = static_cast<int>(seconds / 60 % 60);
  time.second = static_cast<int>(seconds % 60);
  return time;
}

DateTime FromCalendarTime(const CalendarTime& time) {
  // Fields beyond their range carry over, as month 13 is January of the next year.
  const std::int64_t month_index = static_cast<std::int64_t>(time.month) - 1;
  const std::int64_t year = time.year + FloorDiv(month_index, 12);
  const std::int64_t month = FloorMod(month_index, 12) + 1;
  const std::int64_t seconds = static_cast<std::int64_t>(time.hour) * 3600 +
                               static_cast<std::int64_t>(time.minute) * 60 + time.second;
  const std::int64_t days = DaysFromCivil(year, month, 1) + (time.day - 1) + kDaysBefore1970 +
                            FloorDiv(seconds, kSecondsPerDay);
  const double fraction =
      static_cast<double>(FloorMod(seconds, kSecondsPerDay)) / static_cast<double>(kSecondsPerDay);
  const double whole = static_cast<double>(days);
  return ClampDateTime(days >= 0 ? whole + fraction : whole - fraction);
}

double DateInterval(DateTime first, DateTime second) {
  if (first == second) return 0.0;
  const CalendarTime a = ToCalendarTime(first);
  const CalendarTime b = ToCalendarTime(second);
  return static_cast<double>((a.year - b.year) * 12 + a.month - b.month);
}

}  // namespace velmora
