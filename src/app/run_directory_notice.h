#pragma once

// What the user is told about the run directory as the program starts, the same in both front
// ends: that it could not be made, that the Presets and documents now live in a folder of
// their own with the Data folder carried there, or that another program holds it. Each notice
// writes its cause to standard error when it is built, so that both front ends log it alike;
// the front end shows title and text in its own message box.

#include <optional>
#include <string>

#include "runtime/run_location.h"

namespace velmora {

struct RunDirectoryNotice {
  std::string title;     // GBK
  std::string text;      // GBK
  bool warning = false;  // something the user will miss; otherwise information
};

// The notice this start owes the user, if any.
[[nodiscard]] std::optional<RunDirectoryNotice> NoticeOfRunDirectory(
    const RunDirectoryResult& run_directory);

// A failure about the run directory that needs no message box (the lock that a file system
// without locks cannot give): the line on standard error alone.
void LogRunDirectoryFailure(const FileResult& failure);

// The notice of a start that found the run directory (UTF-8) held by another program that did
// not answer its request to come to the front (velmora-script, or a program hung up).
[[nodiscard]] RunDirectoryNotice NoticeOfHeldRunDirectory(const std::string& folder,
                                                          const FileResult& cause);

}  // namespace velmora
