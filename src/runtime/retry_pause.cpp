#include "runtime/retry_pause.h"

#include <utility>

namespace velmora {
namespace {

RetryPause& CurrentPause() {
  static RetryPause pause;
  return pause;
}

}  // namespace

void PauseBeforeRetry(int milliseconds) {
  if (CurrentPause()) {
    CurrentPause()(milliseconds);
  } else {
    SleepMilliseconds(milliseconds);
  }
}

void SetRetryPause(RetryPause pause) { CurrentPause() = std::move(pause); }

}  // namespace velmora
