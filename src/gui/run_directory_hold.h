#pragma once

// The run directory held by this program for as long as it runs: the lock that keeps a second
// program out of its Data folder, and the channel on which a second start asks this one to
// come to the front instead.

#include <QWidget>
#include <functional>
#include <memory>
#include <string>

#include "gui/front_request.h"
#include "runtime/file_result.h"
#include "runtime/run_directory_lock.h"

namespace velmora {

class RunDirectoryHold {
 public:
  enum class Claim {
    kHeld,        // this program works in the folder
    kUnlockable,  // the folder cannot be locked (a file system without locks): worked in all the
                  // same
    kBroughtForward,  // another program holds it and has come to the front
    kHeldUnanswered,  // another program holds it and did not answer
  };

  explicit RunDirectoryHold(std::string folder) : folder_(std::move(folder)) {}

  // Takes the lock; when another program holds it, asks that one to come to the front.
  Claim Take();
  // Why the last Take did not hold the folder.
  const FileResult& cause() const { return cause_; }
  // From now on a second start brings the window that main_window gives (null while there is
  // none yet) to the front.
  void Serve(std::function<QWidget*()> main_window);

 private:
  std::string folder_;  // UTF-8
  RunDirectoryLock lock_;
  FileResult cause_ = FileResult::Success();
  std::unique_ptr<FrontRequestServer> server_;
};

}  // namespace velmora
