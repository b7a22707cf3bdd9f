#include "runtime/profile_store.h"

#include <gtest/gtest.h>
#ifndef _WIN32
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "runtime/file_system.h"
#include "temp_folder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

class ProfileStoreTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir_.empty()); }
  // Profile paths as the logic forms them: a backslash tail on the folder.
  std::string File(std::string_view name = "p.ini") const {
    return dir_ + "\\" + std::string(name);
  }
  void Put(std::string_view bytes, std::string_view name = "p.ini") const {
    std::ofstream(fs::path(dir_) / std::string(name), std::ios::binary) << bytes;
  }
  std::string Bytes(std::string_view name = "p.ini") const {
    std::ifstream in(fs::path(dir_) / std::string(name), std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
#ifndef _WIN32
  ino_t Inode(std::string_view name = "p.ini") const {
    struct stat info {};
    stat((fs::path(dir_) / std::string(name)).c_str(), &info);
    return info.st_ino;
  }
#endif
  std::vector<std::string> Entries() const {
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(dir_))
      names.push_back(Utf8FromPath(entry.path().filename()));
    return names;
  }

  testing::TempFolder folder_;
  const std::string dir_ = folder_.path();
};

TEST_F(ProfileStoreTest, NamesMatchWithoutAsciiCaseCharacterByCharacter) {
  // 0xB0 'A' and 0xB0 'a' are two different characters; their second bytes are no letters.
  Put("[Abc]\r\nKey=1\r\n\xB0"
      "A=upper\r\n\xB0"
      "a=lower\r\n[选择框]\r\n标签选择框1=真\r\n");
  EXPECT_EQ(ReadProfileText(File(), "aBC", "kEY"), "1");
  EXPECT_EQ(ReadProfileText(File(), "abc",
                            "\xB0"
                            "A"),
            "upper");
  EXPECT_EQ(ReadProfileText(File(), "abc",
                            "\xB0"
                            "a"),
            "lower");
  EXPECT_EQ(ReadProfileText(File(), "选择框", "标签选择框1"), "真");

  ASSERT_TRUE(WriteProfileText(File(), "ABC",
                               "\xB0"
                               "a",
                               "x"));
  ASSERT_TRUE(WriteProfileText(File(), "选择框",
                               "\xB0"
                               "A",
                               "y"));
  EXPECT_EQ(Bytes(),
            "[Abc]\r\nKey=1\r\n\xB0"
            "A=upper\r\n\xB0"
            "a=x\r\n[选择框]\r\n标签选择框1=真\r\n"
            "\xB0"
            "A=y\r\n");
}

TEST_F(ProfileStoreTest, FirstSectionAndFirstKeyWinAndWritesGoThere) {
  Put("[s]\r\nk=1\r\nk=2\r\n\r\n[S]\r\nk=3\r\nj=4\r\n");
  EXPECT_EQ(ReadProfileText(File(), "s", "k"), "1");
  EXPECT_EQ(ReadProfileText(File(), "s", "j", "none"), "none");

  ASSERT_TRUE(WriteProfileText(File(), "S", "K", "9"));
  ASSERT_TRUE(WriteProfileText(File(), "s", "j", "5"));
  EXPECT_EQ(Bytes(), "[s]\r\nk=9\r\nk=2\r\nj=5\r\n\r\n[S]\r\nk=3\r\nj=4\r\n");
  EXPECT_EQ(ReadProfileText(File(), "s", "j"), "5");
}

TEST_F(ProfileStoreTest, LineSyntax) {
  Put("k0=before any section\r\n"
      "[s] text after the bracket\r\n"
      "a=x=y\r\n"
      "b==\r\n"
      "  c  =  spaced  \r\n"
      "novalue\r\n"
      ";d=comment\r\n"
      "  ;e=comment\r\n"
      "#f=key\r\n"
      "//g=key\r\n"
      "=h\r\n"
      "sq='quoted'\r\n"
      "dq=\"quoted\"\r\n"
      "mixed=\"quoted'\r\n"
      "inner=a \"b\" c\r\n");
  const auto read = [this](std::string_view key) {
    return ReadProfileText(File(), "s", key, "<missing>");
  };
  EXPECT_EQ(ReadProfileText(File(), "s", "k0", "<missing>"), "<missing>");
  EXPECT_EQ(read("a"), "x=y");
  EXPECT_EQ(read("b"), "=");
  EXPECT_EQ(read("c"), "spaced");
  EXPECT_EQ(read("novalue"), "<missing>");
  EXPECT_EQ(read(";d"), "<missing>");
  EXPECT_EQ(read("d"), "<missing>");
  EXPECT_EQ(read("e"), "<missing>");
  EXPECT_EQ(read("#f"), "key");
  EXPECT_EQ(read("//g"), "key");
  EXPECT_EQ(read("sq"), "quoted");
  EXPECT_EQ(read("dq"), "quoted");
  EXPECT_EQ(read("mixed"), "\"quoted'");
  EXPECT_EQ(read("inner"), "a \"b\" c");

  // A line without "=" is no key: a write adds one rather than taking it over.
  ASSERT_TRUE(WriteProfileText(File(), "s", "novalue", "1"));
  const std::string tail = "inner=a \"b\" c\r\nnovalue=1\r\n";
  ASSERT_GE(Bytes().size(), tail.size());
  EXPECT_EQ(Bytes().substr(Bytes().size() - tail.size()), tail);
  EXPECT_EQ(read("novalue"), "1");
}

TEST_F(ProfileStoreTest, MissingPiecesAndBlankNames) {
  Put("[s]\r\nk=1\r\n");
  EXPECT_EQ(ReadProfileText(File("none.ini"), "s", "k", "d"), "d");
  EXPECT_EQ(ReadProfileText(File(), "t", "k", "d"), "d");
  EXPECT_EQ(ReadProfileText(File(), "s", "j", "d"), "d");
  EXPECT_EQ(ReadProfileText(File(), "s", "j"), "");
  // Leading blanks of all three are skipped; a name that is nothing but blanks reads empty,
  // never the default.
  EXPECT_EQ(ReadProfileText("  \t" + File(), " \ts", "  k"), "1");
  EXPECT_EQ(ReadProfileText(File(), " ", "k", "d"), "");
  EXPECT_EQ(ReadProfileText(File(), "s", "", "d"), "");
  EXPECT_EQ(ReadProfileText("   ", "s", "k", "d"), "");
  EXPECT_EQ(ProfileSnapshot::Load("").Read("s", "k", "d"), "");
  EXPECT_EQ(ProfileSnapshot::Load(File("none.ini")).Read("s", "k", "d"), "d");
}

TEST_F(ProfileStoreTest, LfAndLoneCrAreLineEndsOnReading) {
  Put("[s]\nk=1\nj=2\rm=3");
  EXPECT_EQ(ReadProfileText(File(), "s", "k"), "1");
  EXPECT_EQ(ReadProfileText(File(), "s", "j"), "2");
  EXPECT_EQ(ReadProfileText(File(), "s", "m"), "3");

  // Long lines too, with every kind of line end, and a file with no CR at all.
  const std::string a(100, 'a');
  const std::string b(5000, 'b');
  Put("[s]\r\nk=" + a + "\rj=" + b + "\nm=" + a + "\r\nn=" + b);
  EXPECT_EQ(ReadProfileText(File(), "s", "k"), a);
  EXPECT_EQ(ReadProfileText(File(), "s", "j"), b);
  EXPECT_EQ(ReadProfileText(File(), "s", "m"), a);
  EXPECT_EQ(ReadProfileText(File(), "s", "n"), b);
  Put("[s]\nk=" + b + "\nj=" + a + "\n\n\nm=1");
  EXPECT_EQ(ReadProfileText(File(), "s", "k"), b);
  EXPECT_EQ(ReadProfileText(File(), "s", "j"), a);
  EXPECT_EQ(ReadProfileText(File(), "s", "m"), "1");
}

// A NUL ends a value for the reader as for the writer, so a read-then-write keeps what was read.
TEST_F(ProfileStoreTest, ANulEndsTheValueWhenReadAsWhenWritten) {
  Put(std::string("[s]\r\nk=\"ab\0cd\"\r\nj=x\0\0\0\r\n", 24));
  EXPECT_EQ(ReadProfileText(File(), "s", "k"), "ab");
  EXPECT_EQ(ReadProfileText(File(), "s", "j"), "x");
  ASSERT_TRUE(WriteProfileText(File(), "s", "k", ReadProfileText(File(), "s", "k")));
  EXPECT_EQ(ReadProfileText(File(), "s", "k"), "ab");
  ASSERT_TRUE(WriteProfileText(File(), "s", "j", std::string("y\0z", 3)));
  EXPECT_EQ(ReadProfileText(File(), "s", "j"), "y");
}

TEST_F(ProfileStoreTest, LongValuesReadWhole) {
  std::string value;
  while (value.size() < 50000) value += "标签内容><br><#引号x";
  ASSERT_TRUE(WriteProfileText(File(), "编辑框", "标签内容编辑框1", value));
  EXPECT_EQ(ReadProfileText(File(), "编辑框", "标签内容编辑框1"), value);
}

TEST_F(ProfileStoreTest, NewFileSectionsAndKeysInGoldenBytes) {
  ASSERT_TRUE(WriteProfileText(File(), "选择框", "序号选择框", "真"));
  ASSERT_TRUE(WriteProfileText(File(), "编辑框", "文档标题编辑框", ""));
  ASSERT_TRUE(WriteProfileText(File(), "选择框", "标签选择框11", "假"));
  ASSERT_TRUE(WriteProfileText(File(), "选择框", "序号选择框", "假"));
  // GBK bytes, CR LF, no byte-order mark, key= for the empty value.
  EXPECT_EQ(Bytes(),
            "[\xD1\xA1\xD4\xF1\xBF\xF2]\r\n"
            "\xD0\xF2\xBA\xC5\xD1\xA1\xD4\xF1\xBF\xF2=\xBC\xD9\r\n"
            "\xB1\xEA\xC7\xA9\xD1\xA1\xD4\xF1\xBF\xF2"
            "11=\xBC\xD9\r\n"
            "[\xB1\xE0\xBC\xAD\xBF\xF2]\r\n"
            "\xCE\xC4\xB5\xB5\xB1\xEA\xCC\xE2\xB1\xE0\xBC\xAD\xBF\xF2=\r\n");
  EXPECT_EQ(ReadProfileText(File(), "编辑框", "文档标题编辑框", "d"), "");
}

TEST_F(ProfileStoreTest, RewritesInPlaceKeepingSpellingAndOtherLines) {
  Put("; hand-edited\n"
      "[Sec]   ; note\n"
      "  Key = old  \n"
      "other=1\n"
      "\n"
      "; trailing comment\n"
      "[next]\n"
      "z=2");
  ASSERT_TRUE(WriteProfileText(File(), "SEC", "KEY", "new"));
  ASSERT_TRUE(WriteProfileText(File(), "sec", "added", "3"));
  ASSERT_TRUE(WriteProfileText(File(), "Third", "k", "4"));
  EXPECT_EQ(Bytes(),
            "; hand-edited\r\n"
            "[Sec]   ; note\r\n"
            "  Key =new\r\n"
            "other=1\r\n"
            "added=3\r\n"
            "\r\n"
            "; trailing comment\r\n"
            "[next]\r\n"
            "z=2\r\n"
            "[Third]\r\n"
            "k=4\r\n");
}

TEST_F(ProfileStoreTest, BlanksAndQuotesSurvive) {
  const std::string values[] = {" lead",      "trail ", "\ttab\t", " ",    "'single'",
                                "\"double\"", "\"",     "''",      "\"x'", "a \"b\"",
                                " \"both\" ", "标签 ",  "\x01x",   ""};
  for (const std::string& value : values) {
    ASSERT_TRUE(WriteProfileText(File(), "s", "k", value)) << value;
    EXPECT_EQ(ReadProfileText(File(), "s", "k", "d"), value) << value;
  }
  ASSERT_TRUE(WriteProfileText(File(), "s", "k", " a "));
  ASSERT_TRUE(WriteProfileText(File(), "s", "q", "'a'"));
  ASSERT_TRUE(WriteProfileText(File(), "s", "plain", "a \"b\" c"));
  EXPECT_EQ(Bytes(), "[s]\r\nk=\" a \"\r\nq=\"'a'\"\r\nplain=a \"b\" c\r\n");
}

TEST_F(ProfileStoreTest, ValueStopsAtItsFirstLineBreak) {
  ASSERT_TRUE(WriteProfileText(File(), "s", "k", "one\ntwo=2\r\n[x]"));
  EXPECT_EQ(Bytes(), "[s]\r\nk=one\r\n");
}

TEST_F(ProfileStoreTest, NamesThatCouldNotBeReadBackAreRefused) {
  Put("[s]\r\nk=1\r\n");
  const std::pair<std::string, std::string> names[] = {
      {"s", "a=b"}, {"s", "[k"}, {"s", ";k"},    {"s", "  "},   {"s", "a\nb"},
      {"a]b", "k"}, {"", "k"},   {"s", "k\xB0"}, {"s\xB0", "k"}};
  for (const auto& [section, key] : names) {
    EXPECT_FALSE(WriteProfileText(File(), section, key, "v")) << section << "/" << key;
  }
  EXPECT_EQ(Bytes(), "[s]\r\nk=1\r\n");
}

// Written one after another, a batch with a refused name makes the others; its result says so.
TEST_F(ProfileStoreTest, ABatchWithARefusedNameSaysWhichAndThatTheOthersWereMade) {
  const FileResult written = WriteProfileTexts(File(), {{"s", "k", "1"}, {"s", "bad=key", "2"}});
  EXPECT_EQ(written.cause(), "cannot store [s] bad=key in " + NativePath(File()) +
                                 ": the name could not be read back; the other writes were made");
  EXPECT_EQ(Bytes(), "[s]\r\nk=1\r\n");
}

TEST_F(ProfileStoreTest, FailedWritesChangeNothing) {
  EXPECT_FALSE(WriteProfileText(File("missing\\p.ini"), "s", "k", "v"));
  EXPECT_FALSE(fs::exists(fs::path(dir_) / "missing"));

  fs::create_directory(fs::path(dir_) / "folder.ini");
  EXPECT_FALSE(WriteProfileText(File("folder.ini"), "s", "k", "v"));
  EXPECT_TRUE(fs::is_directory(fs::path(dir_) / "folder.ini"));
  EXPECT_EQ(Entries(), std::vector<std::string>{"folder.ini"});
}

// File-size limits and inodes are POSIX matters: the Linux build runs these tests.
#ifndef _WIN32
// Restores the file-size limit and the signal it raises when a test is done.
class FileSizeLimit {
 public:
  explicit FileSizeLimit(rlim_t bytes) {
    getrlimit(RLIMIT_FSIZE, &old_);
    old_handler_ = signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old_;
    limit.rlim_cur = bytes;
    setrlimit(RLIMIT_FSIZE, &limit);
  }
  ~FileSizeLimit() {
    setrlimit(RLIMIT_FSIZE, &old_);
    signal(SIGXFSZ, old_handler_);
  }
  FileSizeLimit(const FileSizeLimit&) = delete;
  FileSizeLimit& operator=(const FileSizeLimit&) = delete;

 private:
  rlimit old_{};
  sighandler_t old_handler_;
};

TEST_F(ProfileStoreTest, ShortWriteLeavesTheOldFile) {
  const std::string old_bytes = "[s]\r\nk=old\r\n";
  Put(old_bytes);
  {
    const FileSizeLimit limit(1000);
    EXPECT_FALSE(WriteProfileText(File(), "s", "k", std::string(5000, 'x')));
  }
  EXPECT_EQ(Bytes(), old_bytes);
  EXPECT_EQ(Entries(), std::vector<std::string>{"p.ini"});
  EXPECT_TRUE(WriteProfileText(File(), "s", "k", std::string(5000, 'x')));
}
#endif

// The batch must leave exactly the bytes (and give the result) of the writes one by one.
TEST_F(ProfileStoreTest, BatchEqualsWritesOneAfterAnother) {
  const std::string inputs[] = {
      "",
      "[选择框]\r\n序号选择框=真\r\n",
      "[s]\nk=1\n\n[S]\nk=2\nj=3",
      "; c\r\n[Sec] x\r\n  K = v \r\nnovalue\r\n\r\n[编辑框]\r\n标签内容编辑框1=a\rb\r\n",
      "orphan=1\r\n[s]\r\n[t]\r\nk=1\r\n[s]\r\nk=2\r\n",
  };
  const std::vector<ProfileWrite> writes = {
      {"s", "k", "first"},
      {"S", "K", " second "},
      {"s", "new", ""},
      {"选择框", "标签选择框1", "假"},
      {"sec", "k", "'q'"},
      {"s", "bad=key", "x"},
      {"t",
       "\xB0"
       "A",
       "1"},
      {"T",
       "\xB0"
       "a",
       "2"},
      {"编辑框", "标签内容编辑框1", "long\r\ncut"},
      {"fresh", "k", "v"},
      {"FRESH", "K", "w"},
      {"fresh", "j", "\"x\""},
  };
  for (const std::string& input : inputs) {
    Put(input, "one.ini");
    Put(input, "batch.ini");
    bool all = true;
    for (const ProfileWrite& write : writes) {
      all = WriteProfileText(File("one.ini"), write.section, write.key, write.value) && all;
    }
    EXPECT_EQ(WriteProfileTexts(File("batch.ini"), writes).ok(), all) << input;
    EXPECT_EQ(Bytes("batch.ini"), Bytes("one.ini")) << input;
  }
}

#ifndef _WIN32
// A write that changes no byte replaces nothing: the file keeps its identity.
TEST_F(ProfileStoreTest, IdenticalBytesLeaveTheFileUntouched) {
  Put("[s]\r\nk=1\r\n");
  const ino_t before = Inode();
  EXPECT_TRUE(WriteProfileText(File(), "S", "K", "1"));
  EXPECT_TRUE(WriteProfileTexts(File(), {{"s", "k", "1"}, {"s", "k", "1"}}));
  EXPECT_EQ(Inode(), before);
  EXPECT_TRUE(WriteProfileText(File(), "s", "k", "2"));
  EXPECT_NE(Inode(), before);
  // LF line ends are rewritten even when no value changes.
  Put("[s]\nk=1\n");
  EXPECT_TRUE(WriteProfileText(File(), "s", "k", "1"));
  EXPECT_EQ(Bytes(), "[s]\r\nk=1\r\n");
}
#endif

}  // namespace
}  // namespace velmora
