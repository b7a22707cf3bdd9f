#pragma once

// A seam for tests: every call that changes the disk asks here first, and a test can make the
// Nth of them fail with an error of its choice, as a full disk or a failing drive would. Unarmed
// the check costs one counter increment.

namespace velmora {

enum class FileCall { kCreate, kWrite, kSync, kClose, kRename, kRemove, kMakeFolder };

// True, with errno set, when an armed failure falls on this call.
[[nodiscard]] bool FileCallFails(FileCall call);

// Counts the calls from now on; the call numbered fail_at (1-based) fails with the error given,
// every later one succeeds. fail_at 0 only counts.
void ArmFileFault(int fail_at, int error);
void DisarmFileFault();
// Calls made since the last ArmFileFault.
int FileCallCount();

}  // namespace velmora
