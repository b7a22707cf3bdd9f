#include "runtime/text_encoding.h"

#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
#endif

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "runtime/gbk_codec.h"
#include "runtime/profile_store.h"
#include "temp_folder.h"

namespace velmora {
namespace {

namespace fs = std::filesystem;

// The file bytes of UTF-8 and UTF-16LE literals, written out independently of the codec.
std::string Utf8Bytes(std::u8string_view text) { return std::string(text.begin(), text.end()); }

std::string Utf16LeBytes(std::u16string_view text) {
  std::string bytes;
  for (const char16_t unit : text) {
    bytes.push_back(static_cast<char>(unit & 0xFF));
    bytes.push_back(static_cast<char>(unit >> 8));
  }
  return bytes;
}

class TextEncodingTest : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(dir_.empty()); }
  std::string File() const { return dir_ + "\\p.ini"; }
  void Put(std::string_view bytes) const {
    std::ofstream(fs::path(dir_) / "p.ini", std::ios::binary) << bytes;
  }
  std::string Bytes() const {
    std::ifstream in(fs::path(dir_) / "p.ini", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Reads the file, checks what it holds, changes one value and adds a key, and gives the
  // bytes written.
  std::string ReadAndSave() const {
    ProfileSnapshot read = ProfileSnapshot::Load(File());
    EXPECT_EQ(read.Read("编辑框", "标签标题编辑框1"), "宽一");
    // A character outside GBK comes as GB18030's four bytes.
    EXPECT_EQ(read.Read("编辑框", "标签内容编辑框1"), "\x95\x32\x82\x36字 \"引\"");
    EXPECT_EQ(read.Read("选择框", "标签选择框1"), "真");
    EXPECT_TRUE(std::move(read)
                    .Write({{"选择框", "标签选择框1", "假"}, {"选择框", "序号选择框", "真"}})
                    .ok());
    return Bytes();
  }

  testing::TempFolder folder_;
  const std::string dir_ = folder_.path();
};

constexpr std::u8string_view kUtf8Before =
    u8"; 手写\r\n[编辑框]\r\n标签标题编辑框1=宽一\r\n标签内容编辑框1 = 𠀀字 \"引\"\r\n"
    u8"[选择框]\r\n标签选择框1=真\r\n";
constexpr std::u8string_view kUtf8After =
    u8"; 手写\r\n[编辑框]\r\n标签标题编辑框1=宽一\r\n标签内容编辑框1 = 𠀀字 \"引\"\r\n"
    u8"[选择框]\r\n标签选择框1=假\r\n序号选择框=真\r\n";
constexpr std::u16string_view kUtf16Before =
    u"\xFEFF; 手写\r\n[编辑框]\r\n标签标题编辑框1=宽一\r\n标签内容编辑框1 = 𠀀字 \"引\"\r\n"
    u"[选择框]\r\n标签选择框1=真\r\n";
constexpr std::u16string_view kUtf16After =
    u"\xFEFF; 手写\r\n[编辑框]\r\n标签标题编辑框1=宽一\r\n标签内容编辑框1 = 𠀀字 \"引\"\r\n"
    u"[选择框]\r\n标签选择框1=假\r\n序号选择框=真\r\n";

TEST_F(TextEncodingTest, HandSavedFilesAreReadAndWrittenBackInTheirOwnEncoding) {
  Put(Utf16LeBytes(kUtf16Before));
  EXPECT_EQ(ReadAndSave(), Utf16LeBytes(kUtf16After));

  Put(Utf8Bytes(kUtf8Before));
  EXPECT_EQ(ReadAndSave(), Utf8Bytes(kUtf8After));

  Put("\xEF\xBB\xBF" + Utf8Bytes(kUtf8Before));
  EXPECT_EQ(ReadAndSave(), "\xEF\xBB\xBF" + Utf8Bytes(kUtf8After));

  // Writing values the file already holds leaves every byte, mark included, as it was.
  for (const std::string& file : {Utf16LeBytes(kUtf16Before), Utf8Bytes(kUtf8Before),
                                  "\xEF\xBB\xBF" + Utf8Bytes(kUtf8Before)}) {
    Put(file);
    EXPECT_TRUE(WriteProfileText(File(), "编辑框", "标签标题编辑框1", "宽一").ok());
    EXPECT_EQ(Bytes(), file);
  }
}

TEST_F(TextEncodingTest, OnlyAMarkOrWholeValidUtf8WithNonAsciiIsUnicode) {
  EXPECT_EQ(DetectTextEncoding("[编辑框]\r\n标签标题编辑框1=一\r\n"), TextEncoding::kGbk);
  EXPECT_EQ(DetectTextEncoding("[a]\r\nb=c\r\n"), TextEncoding::kGbk);
  EXPECT_EQ(DetectTextEncoding(""), TextEncoding::kGbk);
  // One byte that is not UTF-8 in a file that is otherwise.
  EXPECT_EQ(DetectTextEncoding(Utf8Bytes(u8"[组]\r\nk=") + "\xC0\xAF"), TextEncoding::kGbk);
  EXPECT_EQ(DetectTextEncoding(Utf8Bytes(u8"[组]")), TextEncoding::kUtf8);
  EXPECT_EQ(DetectTextEncoding("\xEF\xBB\xBF[a]"), TextEncoding::kUtf8WithMark);
  EXPECT_EQ(DetectTextEncoding("\xFF\xFE"), TextEncoding::kUtf16Le);
  // A lone surrogate and a cut last unit read as U+FFFD, not as nothing.
  EXPECT_EQ(DecodeText(std::string_view("\xFF\xFE\x00\xD8k\x00=\x00v", 9), TextEncoding::kUtf16Le),
            Utf8ToGbk("\xEF\xBF\xBDk=\xEF\xBF\xBD"));
}

TEST_F(TextEncodingTest, AnEmptyHandSavedFileIsWrittenInItsEncoding) {
  Put("\xFF\xFE");
  EXPECT_TRUE(WriteProfileText(File(), "a", "k", "值").ok());
  EXPECT_EQ(Bytes(), Utf16LeBytes(u"\xFEFF[a]\r\nk=值\r\n"));
}

#ifdef _WIN32
std::string Utf8Of(std::u16string_view text) {
  const std::u8string utf8 = fs::path(std::u16string(text)).u8string();
  return std::string(utf8.begin(), utf8.end());
}

std::string GbkOf(std::u16string_view text) { return Utf8ToGbk(Utf8Of(text)); }

// The platform's own reader on the same UTF-16LE files: what ours returns, it returns.
TEST_F(TextEncodingTest, Utf16LeFilesReadAsTheWindowsProfileApiReadsThem) {
  const std::u16string file =
      u"\xFEFF[Sec]\r\nplain=值\r\nblanks =  两端  \r\nquoted=\"  引号  \"\r\n"
      u"single='单'\r\nascii=  a b  \r\nKEY=大写\r\nkey=第二个\r\nempty=\r\nnoequals\r\n"
      u"far=𠀀\r\n[sec]\r\nlater=后一节\r\n[ 空白 ]\r\n键 = 中文\r\n";
  Put(Utf16LeBytes(file));
  const ProfileSnapshot ours = ProfileSnapshot::Load(File());
  const std::wstring path = fs::path(dir_).wstring() + L"\\p.ini";
  const std::vector<std::pair<std::u16string, std::u16string>> names = {
      {u"Sec", u"plain"},  {u"Sec", u"blanks"}, {u"Sec", u"quoted"}, {u"Sec", u"single"},
      {u"Sec", u"key"},    {u"SEC", u"Key"},    {u"Sec", u"empty"},  {u"Sec", u"noequals"},
      {u"Sec", u"far"},    {u"Sec", u"later"},  {u"空白", u"键"},    {u"Sec", u"missing"},
      {u"Other", u"plain"}};
  for (const auto& [section, key] : names) {
    wchar_t value[256] = {};
    GetPrivateProfileStringW(reinterpret_cast<const wchar_t*>(section.c_str()),
                             reinterpret_cast<const wchar_t*>(key.c_str()), L"(none)", value, 256,
                             path.c_str());
    const std::u16string platform(reinterpret_cast<const char16_t*>(value));
    EXPECT_EQ(ours.Read(GbkOf(section), GbkOf(key), "(none)"), GbkOf(platform))
        << Utf8Of(section) << " " << Utf8Of(key);
  }
  // The ANSI reader of the same file, for names and values in ASCII.
  char narrow[256] = {};
  GetPrivateProfileStringA("Sec", "ascii", "(none)", narrow, 256,
                           (fs::path(dir_) / "p.ini").string().c_str());
  EXPECT_EQ(ours.Read("Sec", "ascii"), narrow);
}
#endif

}  // namespace
}  // namespace velmora
