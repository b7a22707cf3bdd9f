#include "runtime/clock.h"

#include <ctime>

namespace velmora {

namespace {

bool ToLocalTime(std::time_t now, std::tm& local) {
#ifdef _WIN32
  return localtime_s(&local, &now) == 0;
#else
  return localtime_r(&now, &local) != nullptr;
#endif
}

}  // namespace

DateTime SystemClock::Now() const {
  // <chrono> cannot be used here: its micro sign has no GBK form.
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  if (!ToLocalTime(now, local)) return 0.0;
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
