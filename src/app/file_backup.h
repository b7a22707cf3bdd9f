#pragma once

// A file's bytes as they were before a command changed it, to put back when a later step of
// the same command fails, so that a failed command leaves every file as it was.

#include <string>
#include <string_view>

namespace velmora {

class FileBackup {
 public:
  explicit FileBackup(std::string_view path);
  // Puts the old bytes back, or removes the file when there was none; true when done.
  bool Restore() const;

 private:
  std::string path_;
  std::string bytes_;
  bool existed_ = false;
  bool readable_ = false;
};

}  // namespace velmora
