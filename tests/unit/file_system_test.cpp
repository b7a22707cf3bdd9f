#include "runtime/file_system.h"

#include <gtest/gtest.h>
#include <unistd.h>

#ifdef _WIN32
#include <windows.h>
#else
#include <sys/stat.h>
#endif

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/file_faults.h"
#include "runtime/gbk_codec.h"
#include "temp_folder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

TEST(RunDirectoryTest, SplitsAtTheLastBackslash) {
  EXPECT_EQ(RunDirectoryFromExecutablePath("C:\\Tools\\app.exe"), "C:\\Tools");
  EXPECT_EQ(RunDirectoryFromExecutablePath("C:\\app.exe"), "C:");
  EXPECT_EQ(RunDirectoryFromExecutablePath("app.exe"), "");
  EXPECT_EQ(RunDirectoryFromExecutablePath("C:\\工具\\标签.exe"), "C:\\工具");
  // 0x81 0x5C is one character; its second byte is no separator.
  EXPECT_EQ(RunDirectoryFromExecutablePath("C:\\a\\\x81\x5C.exe"), "C:\\a");
}

#ifdef _WIN32
TEST(NativePathTest, GbkBecomesUtf8AndBackslashesStay) {
  EXPECT_EQ(NativePath("C:\\Data\\预设配置一.ini"),
            "C:\\Data\\" + GbkToUtf8("预设配置一") + ".ini");
  EXPECT_EQ(NativePath("\\\x81\x5C.ini"), "\\" + GbkToUtf8("\x81\x5C") + ".ini");
}
#else
TEST(NativePathTest, BackslashesBecomeSlashesAndGbkBecomesUtf8) {
  EXPECT_EQ(NativePath("/tmp\\Data\\config.ini"), "/tmp/Data/config.ini");
  EXPECT_EQ(NativePath("/tmp\\Data\\预设配置一.ini"),
            "/tmp/Data/" + GbkToUtf8("预设配置一") + ".ini");
  EXPECT_EQ(NativePath("\\\x81\x5C.ini"), "/" + GbkToUtf8("\x81\x5C") + ".ini");
}
#endif

class FileSystemTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir_.empty()); }
  // A GBK path below the folder, joined as the logic joins them.
  std::string Path(std::string_view tail) const { return dir_ + "\\" + std::string(tail); }
  fs::path Native(std::string_view tail) const { return PathFromUtf8(NativePath(Path(tail))); }
  void Put(std::string_view tail, std::string_view bytes) const {
    std::ofstream(Native(tail), std::ios::binary) << bytes;
  }
  std::string Bytes(std::string_view tail) const {
    std::ifstream in(Native(tail), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_))
      names.push_back(Utf8FromPath(entry.path().filename()));
    std::sort(names.begin(), names.end());
    return names;
  }

  testing::TempFolder folder_;
  const std::string dir_ = folder_.path();
};

TEST_F(FileSystemTest, GbkNamesAreUtf8OnDisk) {
  ASSERT_TRUE(ReplaceFileAtomically(Path("预设\x81\x5C.ini"), "x"));
  EXPECT_EQ(Entries(), std::vector<std::string>{GbkToUtf8("预设\x81\x5C.ini")});
  EXPECT_TRUE(FileExists(Path("预设\x81\x5C.ini")));
}

TEST_F(FileSystemTest, FileExists) {
  Put("a.ini", "");
  fs::create_directory(Native("Data"));
  Put("[x].txt", "");
  EXPECT_TRUE(FileExists(Path("a.ini")));
  EXPECT_TRUE(FileExists(Path("Data")));
  EXPECT_TRUE(FileExists(dir_));
  EXPECT_FALSE(FileExists(Path("b.ini")));
  EXPECT_FALSE(FileExists(""));
  EXPECT_TRUE(FileExists(Path("*.ini")));
  EXPECT_TRUE(FileExists(Path("?.ini")));
  EXPECT_FALSE(FileExists(Path("*.doc")));
  // Brackets are plain characters, not a glob class.
  EXPECT_TRUE(FileExists(Path("[x]*")));
  EXPECT_FALSE(FileExists(Path("x*")));
}

TEST_F(FileSystemTest, MakeDirectoryCreatesOneLevel) {
  EXPECT_TRUE(MakeDirectory(Path("Data")));
  EXPECT_TRUE(fs::is_directory(Native("Data")));
  EXPECT_FALSE(MakeDirectory(Path("Data")));
  EXPECT_FALSE(MakeDirectory(Path("a\\b")));
  EXPECT_FALSE(fs::exists(Native("a")));
  EXPECT_FALSE(MakeDirectory(""));
}

TEST_F(FileSystemTest, RemoveFileDeletesFilesOnly) {
  Put("a.ini", "x");
  fs::create_directory(Native("Data"));
  EXPECT_TRUE(RemoveFile(Path("a.ini")));
  EXPECT_FALSE(fs::exists(Native("a.ini")));
  EXPECT_FALSE(RemoveFile(Path("a.ini")));
  EXPECT_FALSE(RemoveFile(Path("Data")));
  EXPECT_TRUE(fs::is_directory(Native("Data")));
}

TEST_F(FileSystemTest, RenameNeverReplaces) {
  Put("old.ini", "old");
  Put("taken.ini", "taken");
  EXPECT_FALSE(RenameFile(Path("old.ini"), Path("taken.ini")));
  EXPECT_EQ(Bytes("old.ini"), "old");
  EXPECT_EQ(Bytes("taken.ini"), "taken");

  EXPECT_TRUE(RenameFile(Path("old.ini"), Path("新名.ini")));
  EXPECT_EQ(Bytes("新名.ini"), "old");
  EXPECT_FALSE(fs::exists(Native("old.ini")));
  EXPECT_FALSE(RenameFile(Path("old.ini"), Path("other.ini")));
  EXPECT_FALSE(RenameFile(Path("新名.ini"), Path("missing\\x.ini")));
  EXPECT_EQ(Bytes("新名.ini"), "old");
}

TEST_F(FileSystemTest, ReadWholeFile) {
  std::string big(300000, '\0');
  for (std::size_t i = 0; i < big.size(); ++i) big[i] = static_cast<char>(i * 7);
  Put("big.bin", big);
  std::string bytes = "stale";
  ASSERT_TRUE(ReadWholeFile(Path("big.bin"), bytes));
  EXPECT_EQ(bytes, big);
  EXPECT_FALSE(ReadWholeFile(Path("none"), bytes));
  EXPECT_EQ(bytes, "");
  fs::create_directory(Native("Data"));
  EXPECT_FALSE(ReadWholeFile(Path("Data"), bytes));
}

#ifndef _WIN32
TEST_F(FileSystemTest, ReplaceKeepsModeAndLeavesNoTemporaryFile) {
  Put("a.ini", "old");
  chmod(Native("a.ini").c_str(), 0640);
  ASSERT_TRUE(ReplaceFileAtomically(Path("a.ini"), "new"));
  EXPECT_EQ(Bytes("a.ini"), "new");
  struct stat info {};
  stat(Native("a.ini").c_str(), &info);
  EXPECT_EQ(info.st_mode & 07777, 0640u);
  ASSERT_TRUE(ReplaceFileAtomically(Path("b.ini"), ""));
  EXPECT_EQ(Entries(), (std::vector<std::string>{"a.ini", "b.ini"}));
}
#else
// Windows refuses to replace a file that is read-only or that another program holds open
// without sharing: the write fails, and the old bytes and no temporary file are left.
TEST_F(FileSystemTest, ReadOnlyOrHeldOpenTargetFailsAndStaysAsItWas) {
  Put("a.ini", "old");
  ASSERT_TRUE(SetFileAttributesW(Native("a.ini").c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_FALSE(ReplaceFileAtomically(Path("a.ini"), "new"));
  EXPECT_EQ(Bytes("a.ini"), "old");
  EXPECT_EQ(Entries(), std::vector<std::string>{"a.ini"});
  ASSERT_TRUE(SetFileAttributesW(Native("a.ini").c_str(), FILE_ATTRIBUTE_NORMAL));

  const HANDLE held = CreateFileW(Native("a.ini").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                  FILE_ATTRIBUTE_NORMAL, nullptr);
  ASSERT_NE(held, INVALID_HANDLE_VALUE);
  EXPECT_FALSE(ReplaceFileAtomically(Path("a.ini"), "new"));
  CloseHandle(held);
  EXPECT_EQ(Bytes("a.ini"), "old");
  EXPECT_EQ(Entries(), std::vector<std::string>{"a.ini"});

  ASSERT_TRUE(ReplaceFileAtomically(Path("a.ini"), "new"));
  EXPECT_EQ(Bytes("a.ini"), "new");
}
#endif

TEST_F(FileSystemTest, FailedReplaceLeavesEverythingAsItWas) {
  EXPECT_FALSE(ReplaceFileAtomically(Path("missing\\a.ini"), "x"));
  EXPECT_FALSE(fs::exists(Native("missing")));

  fs::create_directory(Native("a.ini"));
  Put("a.ini\\inside", "kept");
  EXPECT_FALSE(ReplaceFileAtomically(Path("a.ini"), "x"));
  EXPECT_EQ(Bytes("a.ini\\inside"), "kept");
  EXPECT_EQ(Entries(), std::vector<std::string>{"a.ini"});
  EXPECT_FALSE(ReplaceFileAtomically("", "x"));
}

// A failure says what was done, to which file, and the system's reason: a missing folder, and a
// full disk that the fault seam plays.
TEST_F(FileSystemTest, AFailureNamesTheOperationTheFileAndTheReason) {
  const FileResult missing = ReplaceFileAtomically(Path("missing\\a.ini"), "x");
  const std::string prefix =
      "cannot create a temporary file beside " + NativePath(Path("missing\\a.ini")) + ": ";
  EXPECT_TRUE(missing.cause().starts_with(prefix)) << missing.cause();
  EXPECT_GT(missing.cause().size(), prefix.size());

  Put("a.ini", "old");
  ArmFileFault(2, ENOSPC);
  const FileResult full = ReplaceFileAtomically(Path("a.ini"), "new");
  DisarmFileFault();
  EXPECT_EQ(full.cause(),
            "cannot write " + NativePath(Path("a.ini")) + ": " + std::strerror(ENOSPC));
  EXPECT_EQ(Bytes("a.ini"), "old");
  EXPECT_EQ(ReplaceFileAtomically(Path("a.ini"), "new").cause(), "");
}

// The temporary file must fit where the target fits: a name of the longest length the folder
// takes is still written.
TEST_F(FileSystemTest, LongestNameIsWritten) {
  const std::string name(255 - 4, 'n');
  ASSERT_TRUE(ReplaceFileAtomically(Path(name + ".ini"), "x"));
  EXPECT_EQ(Bytes(name + ".ini"), "x");
  EXPECT_EQ(Entries().size(), 1u);
}

// Folders standing at the names the temporary file would take: a few are stepped over; when
// every name tried is taken, the write fails and the old file stays as it was.
TEST_F(FileSystemTest, FoldersAtTheTemporaryNames) {
  const auto block = [this](int first, int last) {
    for (int n = first; n <= last; ++n) {
      fs::create_directory(fs::path(dir_) /
                           (".~" + std::to_string(getpid()) + "-" + std::to_string(n) + ".tmp"));
    }
  };
  Put("a.ini", "old");
  block(1, 40);
  ASSERT_TRUE(ReplaceFileAtomically(Path("a.ini"), "new"));
  EXPECT_EQ(Bytes("a.ini"), "new");
  EXPECT_EQ(Entries().size(), 41u);

  block(41, 1000);
  EXPECT_FALSE(ReplaceFileAtomically(Path("a.ini"), "newer"));
  EXPECT_EQ(Bytes("a.ini"), "new");
  EXPECT_EQ(Entries().size(), 1001u);
}

}  // namespace
}  // namespace velmora
