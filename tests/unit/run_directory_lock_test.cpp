#include "runtime/run_directory_lock.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "temp_folder.h"

#ifndef _WIN32
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace velmora {
namespace {

namespace fs = std::filesystem;

TEST(RunDirectoryLockTest, OneHolderAtATimeAndFreeAgainWhenItLetsGo) {
  const testing::TempFolder work;
  ASSERT_FALSE(work.path().empty());
  {
    RunDirectoryLock first;
    ASSERT_TRUE(first.Take(work.path()));
    EXPECT_TRUE(first.held());
    // The same folder by another name is the same run directory.
    RunDirectoryLock second;
    const FileResult refused = second.Take(work.path() + "/.");
    EXPECT_FALSE(refused);
    EXPECT_TRUE(second.held_elsewhere());
    EXPECT_FALSE(second.held());
    EXPECT_NE(refused.cause().find("another Velmora"), std::string::npos) << refused.cause();
    // Another folder is free.
    fs::create_directory(PathFromUtf8(work.path() + "/other"));
    RunDirectoryLock other;
    EXPECT_TRUE(other.Take(work.path() + "/other"));
  }
  RunDirectoryLock after;
  EXPECT_TRUE(after.Take(work.path()));
  // A folder that is not there is no lock held elsewhere.
  RunDirectoryLock missing;
  EXPECT_FALSE(missing.Take(work.path() + "/missing"));
  EXPECT_FALSE(missing.held_elsewhere());
}

TEST(RunDirectoryLockTest, KeyNamesTheFolderNotTheWayItIsWritten) {
  const testing::TempFolder work;
  ASSERT_FALSE(work.path().empty());
  fs::create_directory(PathFromUtf8(work.path() + "/a"));
  fs::create_directory(PathFromUtf8(work.path() + "/b"));
  const std::string key = RunDirectoryKey(work.path() + "/a");
  EXPECT_EQ(RunDirectoryKey(work.path() + "/b/../a/"), key);
  EXPECT_NE(RunDirectoryKey(work.path() + "/b"), key);
  EXPECT_EQ(key.find_first_not_of("abcdefghijklmnopqrstuvwxyz0123456789-"), std::string::npos);
#ifdef _WIN32
  std::string upper = work.path() + "/A";
  EXPECT_EQ(RunDirectoryKey(upper), key);
#endif
}

#ifndef _WIN32

// A program killed while it holds the run directory (SIGKILL: no exit routine runs) does not
// keep the next start out.
TEST(RunDirectoryLockTest, KilledHolderLeavesTheFolderFree) {
  const testing::TempFolder work;
  ASSERT_FALSE(work.path().empty());
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    RunDirectoryLock held;
    const char answer = held.Take(work.path()) ? 'y' : 'n';
    static_cast<void>(write(ready[1], &answer, 1));
    pause();
    _exit(0);
  }
  close(ready[1]);
  char answer = 0;
  ASSERT_EQ(read(ready[0], &answer, 1), 1);
  close(ready[0]);
  ASSERT_EQ(answer, 'y');

  RunDirectoryLock refused;
  EXPECT_FALSE(refused.Take(work.path()));
  EXPECT_TRUE(refused.held_elsewhere());

  kill(child, SIGKILL);
  int status = 0;
  ASSERT_EQ(waitpid(child, &status, 0), child);
  ASSERT_TRUE(WIFSIGNALED(status));
  RunDirectoryLock next;
  EXPECT_TRUE(next.Take(work.path()));
}

#endif  // _WIN32

}  // namespace
}  // namespace velmora
