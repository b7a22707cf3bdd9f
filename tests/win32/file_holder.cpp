// Stands for another program that has a file open, the way a word processor holds the document
// it shows: opened without any sharing, so that no other program may replace or delete it.
//
//   file_holder <file> <event prefix> <milliseconds>
//
// Once the file is held it signals the event "<prefix>.ready"; it lets go when the event
// "<prefix>.release" is signalled or the milliseconds have passed, whichever comes first. The
// test creates both events before it starts the holder, so that neither signal can be missed.
// Exit code 0 when the file was held and let go, 1 on a wrong command line, 2 when the events
// are missing, 3 when the file could not be opened.

#include <windows.h>

#include <cwchar>
#include <string>

namespace {

constexpr int kExitHeld = 0;
constexpr int kExitUsage = 1;
constexpr int kExitNoEvents = 2;
constexpr int kExitNotOpened = 3;

class Handle {
 public:
  explicit Handle(HANDLE handle) : handle_(handle) {}
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() {
    if (valid()) CloseHandle(handle_);
  }
  bool valid() const { return handle_ != nullptr && handle_ != INVALID_HANDLE_VALUE; }
  HANDLE get() const { return handle_; }

 private:
  HANDLE handle_;
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 4) return kExitUsage;
  const std::wstring prefix = argv[2];
  wchar_t* end = nullptr;
  const unsigned long milliseconds = std::wcstoul(argv[3], &end, 10);
  if (end == argv[3] || *end != L'\0') return kExitUsage;

  const Handle ready(OpenEventW(EVENT_MODIFY_STATE, FALSE, (prefix + L".ready").c_str()));
  const Handle release(OpenEventW(SYNCHRONIZE, FALSE, (prefix + L".release").c_str()));
  if (!ready.valid() || !release.valid()) return kExitNoEvents;

  const Handle file(CreateFileW(argv[1], GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file.valid()) return kExitNotOpened;
  SetEvent(ready.get());
  WaitForSingleObject(release.get(), milliseconds);
  return kExitHeld;
}
