#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <system_error>
#include <vector>

#include "runtime/run_location.h"

namespace velmora {

namespace {

std::string Environment(const char* name) {
  const char* value = std::getenv(name);
  return value != nullptr ? value : "";
}

std::string HomeFolder() {
  std::string home = Environment("HOME");
  if (!home.empty()) return home;
  std::vector<char> buffer(16384);
  passwd entry{};
  passwd* found = nullptr;
  if (getpwuid_r(getuid(), &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr)
    home = found->pw_dir;
  return home;
}

// The desktop's documents folder (xdg-user-dirs), ~/Documents when it names none.
std::string DocumentsFolder() {
  const std::string home = HomeFolder();
  if (home.empty()) return {};
  std::string config = Environment("XDG_CONFIG_HOME");
  if (!config.starts_with('/')) config = home + "/.config";
  std::ifstream in(config + "/user-dirs.dirs", std::ios::binary);
  const std::string text(std::istreambuf_iterator<char>(in), {});
  std::string folder = DocumentsFolderFromUserDirs(text, home);
  return folder.empty() ? home + "/Documents" : folder;
}

std::string ExecutableFolder() {
  std::error_code error;
  const std::filesystem::path executable = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : executable.parent_path().string();
}

}  // namespace

RunLocationFacts GatherRunLocationFacts() {
  RunLocationFacts facts;
  facts.executable_folder = ExecutableFolder();
  if (!facts.executable_folder.empty()) {
    const std::string data_folder = facts.executable_folder + "/Data";
    struct stat data {};
    facts.data_beside_executable = stat(data_folder.c_str(), &data) == 0 && S_ISDIR(data.st_mode);
    // access() asks with the real user's rights, which are the ones that count here.
    facts.data_folder_writable = access(data_folder.c_str(), W_OK | X_OK) == 0;
    facts.executable_folder_writable = access(facts.executable_folder.c_str(), W_OK | X_OK) == 0;
  }
  facts.documents_folder = DocumentsFolder();
  return facts;
}

}  // namespace velmora
