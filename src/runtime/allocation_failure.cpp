// The program's own operator new: a request the system cannot meet ends the program with the
// fatal error report "分配 %d 字节内存失败!" and exit code -1, as every other fault does,
// instead of an exception nobody catches. (Under AddressSanitizer the sanitizer's operator new
// is linked first and this file's is not used.)

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <new>

#include "runtime/fatal_error.h"
#include "runtime/large_blocks.h"

namespace {

[[noreturn]] void ReportAllocationFailure(std::size_t size) {
  char message[64];
  std::snprintf(message, sizeof message, "分配 %zu 字节内存失败!", size);
  velmora::ReportFatalText(message, velmora::FaultPlace{});
}

void* Allocate(std::size_t size) {
  if (size == 0) size = 1;
  // No allocator meets a request beyond the largest object size; it is not even asked.
  if (size <= static_cast<std::size_t>(PTRDIFF_MAX)) {
    for (;;) {
      if (void* memory = std::malloc(size)) {
        if (size >= velmora::kLargeBlockBytes) velmora::PrepareLargeBlock(memory, size);
        return memory;
      }
      const std::new_handler handler = std::get_new_handler();
      if (handler == nullptr) break;
      handler();
    }
  }
  ReportAllocationFailure(size);
}

}  // namespace

void* operator new(std::size_t size) { return Allocate(size); }
void* operator new[](std::size_t size) { return Allocate(size); }
void* operator new(std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void* operator new[](std::size_t size, const std::nothrow_t&) noexcept { return Allocate(size); }
void operator delete(void* memory) noexcept { std::free(memory); }
void operator delete[](void* memory) noexcept { std::free(memory); }
void operator delete(void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete[](void* memory, std::size_t) noexcept { std::free(memory); }
void operator delete(void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
void operator delete[](void* memory, const std::nothrow_t&) noexcept { std::free(memory); }
