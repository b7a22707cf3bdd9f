#include "ui/entry_text.h"

#include <gtest/gtest.h>

#include <string>

#include "runtime/gbk_codec.h"

namespace velmora {
namespace {

// The UTF-8 bytes of " ↵ ": this test's narrow literals are GBK.
const std::string kReturn = " \xE2\x86\xB5 ";

TEST(ListEntryLine, EveryLineBreakShowsAsOneReturnSymbol) {
  EXPECT_EQ(ListEntryLine("a\r\nb\rc\nd\n\re"),
            "a" + kReturn + "b" + kReturn + "c" + kReturn + "d" + kReturn + kReturn + "e");
  EXPECT_EQ(ListEntryLine("标题\r\n内容"), GbkToUtf8("标题") + kReturn + GbkToUtf8("内容"));
}

TEST(ListEntryLine, KeepsTheFirstCharactersWholeWhateverTheirLength) {
  EXPECT_EQ(ListEntryLine(std::string(kListEntryShownCharacters + 5, 'a')),
            std::string(kListEntryShownCharacters, 'a'));
  // Two-byte characters, then a four-byte one: U+00A5 has only a four-byte form.
  const std::string yen = Utf8ToGbk("\xC2\xA5");
  ASSERT_EQ(yen.size(), 4u);
  std::string entry;
  for (int i = 0; i < kListEntryShownCharacters - 1; ++i) entry += "字";
  entry += yen;
  entry += "尾";
  std::string shown;
  for (int i = 0; i < kListEntryShownCharacters - 1; ++i) shown += GbkToUtf8("字");
  EXPECT_EQ(ListEntryLine(entry), shown + "\xC2\xA5");
}

}  // namespace
}  // namespace velmora
