#include "gui/run_directory_hold.h"

namespace velmora {

namespace {

// A holder that is starting listens within this time; one that does not answer by then is
// busy elsewhere (velmora-script) or hung up.
constexpr int kFrontRequestTimeoutMs = 5000;

}  // namespace

RunDirectoryHold::Claim RunDirectoryHold::Take() {
  cause_ = lock_.Take(folder_);
  if (cause_) return Claim::kHeld;
  if (!lock_.held_elsewhere()) return Claim::kUnlockable;
  return RequestFront(RunDirectoryKey(folder_), kFrontRequestTimeoutMs) ? Claim::kBroughtForward
                                                                        : Claim::kHeldUnanswered;
}

void RunDirectoryHold::Serve(std::function<QWidget*()> main_window) {
  server_ = std::make_unique<FrontRequestServer>(
      RunDirectoryKey(folder_),
      [main_window = std::move(main_window)] { BringToFront(main_window()); });
}

}  // namespace velmora
