#pragma once

// Memory inside another process, for the control messages that carry a pointer (a date, a tab's
// rectangle): the pointer must be valid where the control lives.

#include <windows.h>

#include <cstddef>

namespace velmora {

class RemoteMemory {
 public:
  RemoteMemory(HANDLE process, std::size_t size);
  ~RemoteMemory();
  RemoteMemory(const RemoteMemory&) = delete;
  RemoteMemory& operator=(const RemoteMemory&) = delete;

  bool ok() const { return address_ != nullptr; }
  LPARAM pointer() const { return reinterpret_cast<LPARAM>(address_); }
  bool Write(const void* data, std::size_t size);
  bool Read(void* data, std::size_t size) const;

 private:
  HANDLE process_;
  void* address_;
};

}  // namespace velmora
