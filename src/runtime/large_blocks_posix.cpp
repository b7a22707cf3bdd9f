#include <sys/mman.h>

#include <cstdint>

#include "runtime/large_blocks.h"

namespace velmora {

void PrepareLargeBlock(void* memory, std::size_t size) noexcept {
  // Only whole large pages inside the block can be asked for; a refusal changes nothing but
  // the speed, so its result is not looked at.
  constexpr std::uintptr_t kLargePage = std::uintptr_t{2} << 20;
  const auto start = reinterpret_cast<std::uintptr_t>(memory);
  const std::uintptr_t first = (start + kLargePage - 1) & ~(kLargePage - 1);
  const std::uintptr_t end = (start + size) & ~(kLargePage - 1);
  if (end > first)
    (void)madvise(reinterpret_cast<void*>(first), static_cast<std::size_t>(end - first),
                  MADV_HUGEPAGE);
}

}  // namespace velmora
