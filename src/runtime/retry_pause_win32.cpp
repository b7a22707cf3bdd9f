#include <windows.h>

#include "runtime/retry_pause.h"

namespace velmora {

void SleepMilliseconds(int milliseconds) { Sleep(static_cast<DWORD>(milliseconds)); }

}  // namespace velmora
