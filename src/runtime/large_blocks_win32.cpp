#include "runtime/large_blocks.h"

namespace velmora {

// Large pages on Windows need a privilege that ordinary users lack: blocks stay as they are.
void PrepareLargeBlock(void*, std::size_t) noexcept {}

}  // namespace velmora
