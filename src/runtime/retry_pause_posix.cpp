#include <time.h>

#include <cerrno>

#include "runtime/retry_pause.h"

namespace velmora {

void SleepMilliseconds(int milliseconds) {
  constexpr long kNanosecondsPerMillisecond = 1000000;
  constexpr int kMillisecondsPerSecond = 1000;
  timespec left{milliseconds / kMillisecondsPerSecond,
                milliseconds % kMillisecondsPerSecond * kNanosecondsPerMillisecond};
  while (nanosleep(&left, &left) != 0 && errno == EINTR) {
  }
}

}  // namespace velmora
