#include "runtime/run_location.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "runtime/folder_copy.h"
#include "runtime/utf8_path.h"

namespace velmora {

namespace {

constexpr std::string_view kRunFolderName = "Velmora";

// The value of a user-dirs.dirs line KEY="value" with its backslash escapes undone, or false
// when the line does not set key in that form.
bool QuotedValue(std::string_view line, std::string_view key, std::string& value) {
  const size_t start = line.find_first_not_of(" \t");
  if (start == std::string_view::npos) return false;
  line.remove_prefix(start);
  if (!line.starts_with(key)) return false;
  line.remove_prefix(key.size());
  line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
  if (!line.starts_with('=')) return false;
  line.remove_prefix(1);
  line.remove_prefix(std::min(line.find_first_not_of(" \t"), line.size()));
  if (!line.starts_with('"')) return false;
  value.clear();
  for (size_t i = 1; i < line.size(); ++i) {
    if (line[i] == '"') return true;
    if (line[i] == '\\' && i + 1 < line.size()) ++i;
    value += line[i];
  }
  return false;
}

std::string WithoutTrailingSeparators(std::string path) {
  constexpr auto kPreferred = static_cast<char>(std::filesystem::path::preferred_separator);
  // "C:\" keeps its separator: without it the name means the current folder of drive C.
  while (path.size() > 1 && (path.back() == '/' || path.back() == kPreferred) &&
         path[path.size() - 2] != ':')
    path.pop_back();
  return path;
}

constexpr std::string_view kDataFolderName = "Data";

void CarryDataFolder(const RunLocationFacts& facts, RunDirectoryResult& result) {
  if (!facts.data_beside_executable || result.folder == facts.executable_folder) return;
  const std::string target =
      Utf8FromPath(PathFromUtf8(result.folder) / PathFromUtf8(kDataFolderName));
  std::error_code error;
  if (std::filesystem::exists(PathFromUtf8(target), error) || error) return;
  result.carried_data_from =
      Utf8FromPath(PathFromUtf8(facts.executable_folder) / PathFromUtf8(kDataFolderName));
  result.carried = CopyFolderTree(result.carried_data_from, target);
}

}  // namespace

std::string ChooseRunDirectory(const RunLocationFacts& facts) {
  if (facts.data_beside_executable ? facts.data_folder_writable : facts.executable_folder_writable)
    return facts.executable_folder;
  if (facts.documents_folder.empty()) return {};
  return WithoutTrailingSeparators(facts.documents_folder) + "/" + std::string(kRunFolderName);
}

std::string DocumentsFolderFromUserDirs(std::string_view user_dirs, std::string_view home) {
  std::string folder;
  while (!user_dirs.empty()) {
    const size_t end = std::min(user_dirs.find('\n'), user_dirs.size());
    std::string value;
    // A later line wins, as when the file is sourced by a shell.
    if (QuotedValue(user_dirs.substr(0, end), "XDG_DOCUMENTS_DIR", value)) {
      if (value == "$HOME" || value.starts_with("$HOME/")) {
        folder = WithoutTrailingSeparators(std::string(home) + value.substr(5));
      } else if (value.starts_with('/')) {
        folder = WithoutTrailingSeparators(value);
      }
    }
    user_dirs.remove_prefix(std::min(end + 1, user_dirs.size()));
  }
  return folder;
}

RunDirectoryResult PrepareRunDirectory(std::string_view chosen) {
  RunDirectoryResult result;
  std::error_code error;
  RunLocationFacts facts;
  if (chosen.empty()) {
    facts = GatherRunLocationFacts();
    // In the platform's own separators: the messages show it.
    result.folder = Utf8FromPath(PathFromUtf8(ChooseRunDirectory(facts)).make_preferred());
  } else {
    std::filesystem::path folder = std::filesystem::absolute(PathFromUtf8(chosen), error);
    result.folder =
        WithoutTrailingSeparators(Utf8FromPath(folder.lexically_normal().make_preferred()));
  }
  if (result.folder.empty()) return result;
  const std::filesystem::path folder = PathFromUtf8(result.folder);
  // A folder that stands already is no failure; whether one stands is asked below.
  static_cast<void>(std::filesystem::create_directories(folder, error));
  std::error_code asked;
  if (std::filesystem::is_directory(folder, asked)) {
    result.ready = FileResult::Success();
    CarryDataFolder(facts, result);
  } else {
    result.ready = FailureOf("make the folder", result.folder,
                             error ? error.message() : std::string("a file stands at its name"));
  }
  return result;
}

}  // namespace velmora
