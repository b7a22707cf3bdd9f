#include "app/run_directory_notice.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/gbk_codec.h"

namespace velmora {
namespace {

// "/home/li/文档/Velmora" in UTF-8, as the run location names it (this file's literals are GBK).
constexpr const char* kRunFolder = "/home/li/\xE6\x96\x87\xE6\xA1\xA3/Velmora";

// The notices name the folders they speak of; a start with nothing to say says nothing.
TEST(RunDirectoryNoticeTest, NamesTheFolderItSpeaksOf) {
  RunDirectoryResult made;
  made.folder = kRunFolder;
  made.ready = FileResult::Success();
  EXPECT_FALSE(NoticeOfRunDirectory(made).has_value());

  RunDirectoryResult unmade;
  unmade.folder = kRunFolder;
  unmade.ready = FailureOf("make the folder", kRunFolder, "Permission denied");
  const auto warning = NoticeOfRunDirectory(unmade);
  ASSERT_TRUE(warning.has_value());
  EXPECT_TRUE(warning->warning);
  EXPECT_EQ(warning->title, "运行目录");
  EXPECT_EQ(warning->text,
            "无法建立运行目录“" + Utf8ToGbk(kRunFolder) + "”，预设和文档都将无法保存！");

  const auto unnamed = NoticeOfRunDirectory(RunDirectoryResult{});
  ASSERT_TRUE(unnamed.has_value());
  EXPECT_EQ(unnamed->text.find("“”"), std::string::npos);

  RunDirectoryResult carried = made;
  carried.carried_data_from = "/opt/velmora/Data";
  const auto told = NoticeOfRunDirectory(carried);
  ASSERT_TRUE(told.has_value());
  EXPECT_FALSE(told->warning);
  EXPECT_NE(told->text.find("今后保存在“" + Utf8ToGbk(kRunFolder) + "”"), std::string::npos);
  EXPECT_NE(told->text.find("“/opt/velmora/Data”已复制到那里"), std::string::npos);

  carried.carried = FailureOf("copy the folder", "/opt/velmora/Data", "No space left on device");
  const auto failed = NoticeOfRunDirectory(carried);
  ASSERT_TRUE(failed.has_value());
  EXPECT_TRUE(failed->warning);
  EXPECT_NE(failed->text.find("未能复制过去"), std::string::npos);
}

}  // namespace
}  // namespace velmora
