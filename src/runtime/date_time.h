#pragma once

// Date-time values: days since 1899-12-30 00:00:00 as a double; the fraction is the time of day
// counted forward from the day's midnight, also below zero.

namespace velmora {

using DateTime = double;

inline constexpr DateTime kMinDateTime = -657434.0;  // 0100-01-01
inline constexpr DateTime kMaxDateTime = 2958465.0;  // 9999-12-31

struct CalendarTime {
  int year = 1899;
  int month = 12;
  int day = 30;
  int hour = 0;
  int minute = 0;
  int second = 0;
};

DateTime ClampDateTime(DateTime value);
// Fields after the clamp and the rounding to the nearest second.
CalendarTime ToCalendarTime(DateTime value);
DateTime FromCalendarTime(const CalendarTime& time);
// Calendar months from second to first: (year(A)-year(B))*12 + month(A)-month(B).
double DateInterval(DateTime first, DateTime second);

}  // namespace velmora
