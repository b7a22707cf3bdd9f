#pragma once

// Large blocks of memory, as a damaged file of many megabytes fills: the allocator asks the
// system to back them with large pages where it can, since touching a fresh block page by page
// costs a fault per small page, which on some machines outweighs the work done on the bytes.

#include <cstddef>

namespace velmora {

inline constexpr std::size_t kLargeBlockBytes = std::size_t{8} << 20;

// Called for a fresh block of at least kLargeBlockBytes before it is first written.
void PrepareLargeBlock(void* memory, std::size_t size) noexcept;

}  // namespace velmora
