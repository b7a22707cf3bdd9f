#include "remote_memory.h"

namespace velmora {

RemoteMemory::RemoteMemory(HANDLE process, std::size_t size)
    : process_(process),
      address_(VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}

RemoteMemory::~RemoteMemory() {
  if (address_ != nullptr) VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
}

bool RemoteMemory::Write(const void* data, std::size_t size) {
  SIZE_T written = 0;
  return WriteProcessMemory(process_, address_, data, size, &written) && written == size;
}

bool RemoteMemory::Read(void* data, std::size_t size) const {
  SIZE_T read = 0;
  return ReadProcessMemory(process_, address_, data, size, &read) && read == size;
}

}  // namespace velmora
