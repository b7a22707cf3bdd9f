#pragma once

// A folder of its own under the system's temporary folder (ASCII path), removed with
// everything in it at the end; the path is empty when no folder could be made.

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

namespace velmora::testing {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-XXXXXX").string();
    if (mkdtemp(pattern.data()) != nullptr) path_ = pattern;
  }
  ~TempFolder() {
    std::error_code ignored;
    if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace velmora::testing
