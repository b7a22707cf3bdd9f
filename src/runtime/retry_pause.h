#pragma once

// The pause between two tries of an operation that another program is briefly in the way of.
// The program sleeps; a test puts its own pause in place, so that it waits on no wall clock and
// can act (let go of a file, say) while the operation waits.

#include <functional>

namespace velmora {

using RetryPause = std::function<void(int milliseconds)>;

void PauseBeforeRetry(int milliseconds);
// An empty pause puts sleeping back.
void SetRetryPause(RetryPause pause);
// The system's sleep (retry_pause_posix.cpp, retry_pause_win32.cpp).
void SleepMilliseconds(int milliseconds);

}  // namespace velmora
