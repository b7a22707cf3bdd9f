#pragma once

namespace velmora::testing {

// Exit code -1 as the parent of a death test sees it: the whole 32 bits on Windows, the low
// eight on POSIX.
#ifdef _WIN32
inline constexpr int kExitMinusOne = -1;
#else
inline constexpr int kExitMinusOne = 255;
#endif

}  // namespace velmora::testing
