#include "runtime/file_faults.h"

#include <cerrno>

namespace velmora {
namespace {

struct FaultState {
  bool armed = false;
  int calls = 0;
  int fail_at = 0;
  int error = 0;
};

FaultState& State() {
  static FaultState state;
  return state;
}

}  // namespace

bool FileCallFails(FileCall) {
  FaultState& state = State();
  if (!state.armed || ++state.calls != state.fail_at) return false;
  errno = state.error;
  return true;
}

void ArmFileFault(int fail_at, int error) { State() = FaultState{true, 0, fail_at, error}; }

void DisarmFileFault() { State() = FaultState{}; }

int FileCallCount() { return State().calls; }

}  // namespace velmora
