#include "runtime/word_bridge.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "runtime/docx_writer.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

class WordBridgeTest : public testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::path(testing::TempDir()) /
              ("word_bridge_" +
               std::string(testing::UnitTest::GetInstance()->current_test_info()->name()));
    fs::remove_all(folder_);
    fs::create_directories(folder_);
  }
  void TearDown() override { fs::remove_all(folder_); }

  // Paths here are ASCII, so their GBK and native forms are the same bytes.
  std::string PathOf(const std::string& name) const { return (folder_ / name).string(); }

  static std::string Read(const fs::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
  }

  static std::string DocxOf(std::string_view text) {
    std::string docx;
    EXPECT_TRUE(BuildDocx(text, docx));
    return docx;
  }

  std::size_t FilesInFolder() const {
    return static_cast<std::size_t>(
        std::distance(fs::directory_iterator(folder_), fs::directory_iterator()));
  }

  fs::path folder_;
  WordApp app_;
  WordDocuments documents_;
};

TEST_F(WordBridgeTest, ExportSequenceSavesTheTypedText) {
  ASSERT_TRUE(app_.StartApplication());
  ASSERT_TRUE(documents_.AttachDocuments(app_, true));
  documents_.InsertText(0, "清单\r\n");
  documents_.InsertText(1, "ignored");
  documents_.InsertText(2, "ignored");
  documents_.InsertText(7, "ignored");
  documents_.InsertText(0, "\r\n1.A");
  EXPECT_TRUE(documents_.SaveDocumentAs(PathOf("out.docx")));
  EXPECT_TRUE(documents_.CloseDocument());
  app_.QuitApplication();
  EXPECT_EQ(Read(folder_ / "out.docx"), DocxOf("清单\r\n\r\n1.A"));
  EXPECT_EQ(FilesInFolder(), 1u);  // no temporary file left beside it
}

TEST_F(WordBridgeTest, GbkPathBecomesUtf8FileName) {
  ASSERT_TRUE(app_.StartApplication());
  ASSERT_TRUE(documents_.AttachDocuments(app_, true));
  EXPECT_TRUE(documents_.SaveDocumentAs(PathOf("") + "清单.docx"));
  EXPECT_TRUE(fs::exists(folder_ / fs::path(u8"清单.docx")));
}

TEST_F(WordBridgeTest, WithoutApplicationOrDocumentNothingHappens) {
  EXPECT_FALSE(documents_.AttachDocuments(app_, true));
  documents_.InsertText(0, "x");
  EXPECT_FALSE(documents_.SaveDocumentAs(PathOf("a.docx")));
  EXPECT_FALSE(documents_.CloseDocument());

  ASSERT_TRUE(app_.StartApplication());
  EXPECT_FALSE(documents_.AttachDocuments(app_, false));
  EXPECT_FALSE(documents_.SaveDocumentAs(PathOf("b.docx")));

  // A closed document is gone: neither saved nor closed again.
  ASSERT_TRUE(documents_.AttachDocuments(app_, true));
  EXPECT_TRUE(documents_.CloseDocument());
  EXPECT_FALSE(documents_.CloseDocument());
  EXPECT_FALSE(documents_.SaveDocumentAs(PathOf("c.docx")));

  app_.QuitApplication();
  EXPECT_FALSE(documents_.AttachDocuments(app_, true));
  EXPECT_EQ(FilesInFolder(), 0u);
}

TEST_F(WordBridgeTest, AttachingAgainStartsAFreshDocument) {
  ASSERT_TRUE(app_.StartApplication());
  ASSERT_TRUE(documents_.AttachDocuments(app_, true));
  documents_.InsertText(0, "old");
  ASSERT_TRUE(app_.StartApplication());
  ASSERT_TRUE(documents_.AttachDocuments(app_, true));
  documents_.InsertText(0, "new");
  EXPECT_TRUE(documents_.SaveDocumentAs(PathOf("a.docx")));
  EXPECT_EQ(Read(folder_ / "a.docx"), DocxOf("new"));
}

TEST_F(WordBridgeTest, SaveReplacesAnEarlierDocument) {
  std::ofstream(folder_ / "a.docx") << "earlier";
  ASSERT_TRUE(app_.StartApplication());
  ASSERT_TRUE(documents_.AttachDocuments(app_, true));
  documents_.InsertText(0, "T\r\n");
  EXPECT_TRUE(documents_.SaveDocumentAs(PathOf("a.docx")));
  EXPECT_EQ(Read(folder_ / "a.docx"), DocxOf("T\r\n"));
  EXPECT_EQ(FilesInFolder(), 1u);
}

TEST_F(WordBridgeTest, FailedSaveLeavesNothingNew) {
  ASSERT_TRUE(app_.StartApplication());
  ASSERT_TRUE(documents_.AttachDocuments(app_, true));
  documents_.InsertText(0, "T\r\n");

  EXPECT_FALSE(documents_.SaveDocumentAs(PathOf("missing/a.docx")));
  EXPECT_EQ(FilesInFolder(), 0u);

  // A folder standing where the document should go stays as it was.
  fs::create_directory(folder_ / "a.docx");
  std::ofstream(folder_ / "a.docx" / "inside.txt") << "kept";
  EXPECT_FALSE(documents_.SaveDocumentAs(PathOf("a.docx")));
  EXPECT_TRUE(fs::is_directory(folder_ / "a.docx"));
  EXPECT_EQ(Read(folder_ / "a.docx" / "inside.txt"), "kept");
  EXPECT_EQ(FilesInFolder(), 1u);

  // The document is still open and can be saved elsewhere.
  EXPECT_TRUE(documents_.SaveDocumentAs(PathOf("b.docx")));
  EXPECT_EQ(Read(folder_ / "b.docx"), DocxOf("T\r\n"));
}

}  // namespace
}  // namespace velmora
