#include "runtime/folder_copy.h"

#include <filesystem>
#include <string>
#include <system_error>

#include "runtime/utf8_path.h"

namespace velmora {

namespace {

constexpr std::string_view kPartialSuffix = ".copying";

}  // namespace

FileResult CopyFolderTree(std::string_view from, std::string_view to) {
  namespace fs = std::filesystem;
  const fs::path source = PathFromUtf8(from);
  const fs::path target = PathFromUtf8(to);
  fs::path partial = target;
  partial += PathFromUtf8(kPartialSuffix);
  std::error_code error;
  if (fs::exists(target, error)) return FailureOf("copy into", to, "it exists already");
  // Left by a start that was cut short.
  fs::remove_all(partial, error);
  if (error) return FailureOf("remove the unfinished copy", Utf8FromPath(partial), error.message());
  // A walk of its own rather than fs::copy, which gives the new folders the old ones' modes: a
  // read-only folder would refuse its own files, and the user must be able to save the copies.
  fs::create_directory(partial, error);
  fs::recursive_directory_iterator walk(source, error);
  for (; !error && walk != fs::recursive_directory_iterator(); walk.increment(error)) {
    const fs::path copy = partial / walk->path().lexically_relative(source);
    if (walk->is_directory(error)) {
      fs::create_directory(copy, error);
    } else if (!error) {
      fs::copy_file(walk->path(), copy, error);
      if (!error)
        fs::permissions(copy, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::add,
                        error);
    }
  }
  if (!error) fs::rename(partial, target, error);
  if (!error) return FileResult::Success();
  const std::string reason = error.message();
  std::error_code ignored;  // the failure above is the one to tell
  fs::remove_all(partial, ignored);
  return FailureOf("copy the folder", std::string(from) + " to " + std::string(to), reason);
}

}  // namespace velmora
