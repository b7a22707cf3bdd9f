#include "runtime/run_location.h"

#include <gtest/gtest.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include "temp_folder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// "文档" in UTF-8, as a Chinese desktop names the documents folder (this file's literals are GBK).
constexpr const char* kWendang = "\xE6\x96\x87\xE6\xA1\xA3";

TEST(ChooseRunDirectoryTest, PortableWhereItCanWorkInTheDocumentsFolderOtherwise) {
  RunLocationFacts facts{"/opt/velmora/bin", false, false, true, "/home/li/Documents"};
  EXPECT_EQ(ChooseRunDirectory(facts), "/opt/velmora/bin");
  // A Data folder made there before keeps the run there, even in a folder closed to the user.
  facts.executable_folder_writable = false;
  facts.data_beside_executable = true;
  facts.data_folder_writable = true;
  EXPECT_EQ(ChooseRunDirectory(facts), "/opt/velmora/bin");
  // One that root left there, which the user cannot write, does not.
  facts.data_folder_writable = false;
  facts.executable_folder_writable = true;
  EXPECT_EQ(ChooseRunDirectory(facts), "/home/li/Documents/Velmora");
  facts.data_beside_executable = false;
  facts.executable_folder_writable = false;
  EXPECT_EQ(ChooseRunDirectory(facts), "/home/li/Documents/Velmora");
  facts.documents_folder = "/home/li/";
  EXPECT_EQ(ChooseRunDirectory(facts), "/home/li/Velmora");
  facts.documents_folder.clear();
  EXPECT_EQ(ChooseRunDirectory(facts), "");
}

TEST(DocumentsFolderFromUserDirsTest, ReadsTheFileAsXdgUserDirsWritesIt) {
  const std::string wendang = kWendang;
  EXPECT_EQ(DocumentsFolderFromUserDirs("# written by xdg-user-dirs-update\n"
                                        "XDG_DESKTOP_DIR=\"$HOME/Desktop\"\n"
                                        "XDG_DOCUMENTS_DIR=\"$HOME/" +
                                            wendang +
                                            "\"\n"
                                            "XDG_MUSIC_DIR=\"$HOME/Music\"\n",
                                        "/home/li"),
            "/home/li/" + wendang);
  EXPECT_EQ(DocumentsFolderFromUserDirs("  XDG_DOCUMENTS_DIR = \"/srv/docs/\"", "/home/li"),
            "/srv/docs");
  EXPECT_EQ(DocumentsFolderFromUserDirs("XDG_DOCUMENTS_DIR=\"$HOME/My \\\"Docs\\\"\"", "/h"),
            "/h/My \"Docs\"");
  // "$HOME" alone is how the desktop says that documents go into the home folder itself.
  EXPECT_EQ(DocumentsFolderFromUserDirs("XDG_DOCUMENTS_DIR=\"$HOME/\"\r\n", "/home/li"),
            "/home/li");
  // The last of two lines wins, as in the shell that the file is written for.
  EXPECT_EQ(DocumentsFolderFromUserDirs("XDG_DOCUMENTS_DIR=\"/a\"\nXDG_DOCUMENTS_DIR=\"/b\"", "/h"),
            "/b");
}

TEST(DocumentsFolderFromUserDirsTest, NamesNoneForLinesOutsideTheFormat) {
  for (const char* text :
       {"", "# XDG_DOCUMENTS_DIR=\"/a\"", "XDG_DOCUMENTS_DIR=/a", "XDG_DOCUMENTS_DIR=\"Documents\"",
        "XDG_DOCUMENTS_DIR=\"/a", "XDG_DOCUMENTS_DIRS=\"/a\"", "XDG_DESKTOP_DIR=\"/a\""}) {
    EXPECT_EQ(DocumentsFolderFromUserDirs(text, "/home/li"), "") << text;
  }
}

// The platform part below reads the POSIX environment and /proc, and the paths are spelled with
// "/"; on Windows the scenario goldens run velmora-script through the same PrepareRunDirectory.
#ifndef _WIN32
// Sets an environment variable for the length of a test.
class ScopedEnvironment {
 public:
  ScopedEnvironment(const char* name, const std::string& value) : name_(name) {
    if (const char* old = getenv(name)) old_ = old;
    setenv(name, value.c_str(), 1);
  }
  ~ScopedEnvironment() {
    if (old_) {
      setenv(name_, old_->c_str(), 1);
    } else {
      unsetenv(name_);
    }
  }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  const char* name_;
  std::optional<std::string> old_;
};

TEST(GatherRunLocationFactsTest, FindsTheDocumentsFolderOfTheDesktopOrTheDefault) {
  const testing::TempFolder home;
  ASSERT_FALSE(home.path().empty());
  const ScopedEnvironment home_variable("HOME", home.path());
  const ScopedEnvironment config_variable("XDG_CONFIG_HOME", "");
  EXPECT_EQ(GatherRunLocationFacts().documents_folder, home.path() + "/Documents");

  fs::create_directories(home.path() + "/settings");
  std::ofstream(home.path() + "/settings/user-dirs.dirs")
      << "XDG_DOCUMENTS_DIR=\"$HOME/" << kWendang << "\"\n";
  const ScopedEnvironment other_config("XDG_CONFIG_HOME", home.path() + "/settings");
  const RunLocationFacts facts = GatherRunLocationFacts();
  EXPECT_EQ(facts.documents_folder, home.path() + "/" + kWendang);
  EXPECT_EQ(facts.executable_folder, fs::read_symlink("/proc/self/exe").parent_path().string());
}

TEST(PrepareRunDirectoryTest, MakesTheChosenFolderAndGivesItsAbsolutePath) {
  const testing::TempFolder work;
  ASSERT_FALSE(work.path().empty());
  const RunDirectoryResult made = PrepareRunDirectory(work.path() + "/a/b/../c/");
  EXPECT_TRUE(made.ready);
  EXPECT_EQ(made.folder, work.path() + "/a/c");
  EXPECT_TRUE(fs::is_directory(made.folder));

  std::ofstream(work.path() + "/file") << "x";
  const RunDirectoryResult blocked = PrepareRunDirectory(work.path() + "/file/run");
  EXPECT_FALSE(blocked.ready);
}

#endif  // _WIN32

}  // namespace
}  // namespace velmora
