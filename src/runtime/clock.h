#pragma once

#include "runtime/date_time.h"

namespace velmora {

// The current date and time as the program sees it; tests and the script runner fix it.
class Clock {
 public:
  virtual ~Clock() = default;
  virtual DateTime Now() const = 0;
};

class SystemClock final : public Clock {
 public:
  DateTime Now() const override;  // local time
};

class FixedClock final : public Clock {
 public:
  explicit FixedClock(DateTime now) : now_(now) {}
  DateTime Now() const override { return now_; }
  void Set(DateTime now) { now_ = now; }

 private:
  DateTime now_;
};

}  // namespace velmora
