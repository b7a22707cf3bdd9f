#pragma once

// A folder of its own under the system's temporary folder (ASCII path), removed with
// everything in it at the end; the path is empty when no folder could be made. Paths in the
// tests are UTF-8 texts; PathFromUtf8 (utf8_path.h) turns them into std::filesystem paths on
// every platform.

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

#include "runtime/utf8_path.h"

namespace velmora::testing {

class TempFolder {
 public:
  TempFolder() {
    std::error_code error;
    const std::filesystem::path base = std::filesystem::temp_directory_path(error);
    std::random_device seed;
    std::mt19937_64 random(seed());
    for (int attempt = 0; !error && attempt < 100; ++attempt) {
      const std::filesystem::path candidate = base / ("velmora-" + std::to_string(random()));
      if (std::filesystem::create_directory(candidate, error)) {
        path_ = Utf8FromPath(candidate);
        return;
      }
    }
  }
  ~TempFolder() {
    if (path_.empty()) return;
    std::error_code ignored;
    // Windows removes no folder that is a process's current folder, and a test that fixes the
    // run directory makes it one.
    const std::filesystem::path folder = PathFromUtf8(path_);
    const std::filesystem::path current = std::filesystem::current_path(ignored);
    const std::filesystem::path inside = current.lexically_relative(folder);
    if (!inside.empty() && *inside.begin() != "..") {
      std::filesystem::current_path(folder.parent_path(), ignored);
    }
    std::filesystem::remove_all(folder, ignored);
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace velmora::testing
