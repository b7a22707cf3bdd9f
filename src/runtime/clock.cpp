#include "runtime/clock.h"

#include <ctime>

namespace velmora {

DateTime SystemClock::Now() const {
  // <chrono> cannot be used here: its micro sign has no GBK form.
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (localtime_r(&now, &local) == nullptr) return 0.0;
  CalendarTime time;
  time.year = local.tm_year + 1900;
  time.month = local.tm_mon + 1;
  time.day = local.tm_mday;
  time.hour = local.tm_hour;
  time.minute = local.tm_min;
  time.second = local.tm_sec;
  return FromCalendarTime(time);
}

}  // namespace velmora
