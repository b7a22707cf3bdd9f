#include "runtime/folder_copy.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <string>

#include "temp_folder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// "预设" in UTF-8: the Data folder of a Chinese user holds Chinese file names.
constexpr const char* kYushe = "\xE9\xA2\x84\xE8\xAE\xBE";

void Write(const std::string& path, const std::string& bytes) {
  std::ofstream(PathFromUtf8(path), std::ios::binary) << bytes;
}

// Every file below folder, by its path inside it, with its bytes.
std::map<std::string, std::string> Contents(const std::string& folder) {
  std::map<std::string, std::string> files;
  const fs::path root = PathFromUtf8(folder);
  for (const auto& entry : fs::recursive_directory_iterator(root)) {
    if (!entry.is_regular_file()) continue;
    std::ifstream in(entry.path(), std::ios::binary);
    files[GenericUtf8FromPath(entry.path().lexically_relative(root))] =
        std::string(std::istreambuf_iterator<char>(in), {});
  }
  return files;
}

void MakeReadOnly(const fs::path& path) {
  fs::permissions(path, fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write,
                  fs::perm_options::remove);
}

TEST(CopyFolderTreeTest, ReadOnlyDataFolderArrivesWholeAndWritable) {
  const testing::TempFolder work;
  ASSERT_FALSE(work.path().empty());
  const std::string data = work.path() + "/bin/Data";
  fs::create_directories(PathFromUtf8(data + "/old"));
  Write(data + "/config.ini", "[\xD7\xE9\xBA\xCF\xBF\xF2]\r\n");
  Write(data + "/" + kYushe + ".ini", std::string("a\0b\r\nc\xFF", 7));
  Write(data + "/old/empty.ini", "");
  for (const auto& entry : fs::recursive_directory_iterator(PathFromUtf8(data)))
    MakeReadOnly(entry.path());
  MakeReadOnly(PathFromUtf8(data));
  // Left by a start that was cut short.
  fs::create_directories(PathFromUtf8(work.path() + "/run/Data.copying/stale"));

  const std::string target = work.path() + "/run/Data";
  ASSERT_TRUE(CopyFolderTree(data, target));
  EXPECT_EQ(Contents(target), Contents(data));
  EXPECT_EQ(Contents(target).size(), 3u);
  EXPECT_FALSE(fs::exists(PathFromUtf8(work.path() + "/run/Data.copying")));
  // The user saves Presets into the copy.
  EXPECT_NE(fs::status(PathFromUtf8(target)).permissions() & fs::perms::owner_write,
            fs::perms::none);
  EXPECT_NE(fs::status(PathFromUtf8(target + "/config.ini")).permissions() & fs::perms::owner_write,
            fs::perms::none);

  // A second copy does not go over the first.
  Write(target + "/config.ini", "changed");
  const FileResult again = CopyFolderTree(data, target);
  EXPECT_FALSE(again);
  EXPECT_EQ(Contents(target)["config.ini"], "changed");

  // A source that is not there leaves nothing behind.
  EXPECT_FALSE(CopyFolderTree(work.path() + "/missing", work.path() + "/run/Other"));
  EXPECT_FALSE(fs::exists(PathFromUtf8(work.path() + "/run/Other")));
  EXPECT_FALSE(fs::exists(PathFromUtf8(work.path() + "/run/Other.copying")));

  for (const auto& entry : fs::recursive_directory_iterator(PathFromUtf8(work.path())))
    fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add);
}

}  // namespace
}  // namespace velmora
