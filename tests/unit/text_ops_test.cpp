#include "runtime/text_ops.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <limits>
#include <string>
#include <vector>

namespace velmora {
namespace {

using Pieces = std::vector<std::string>;

TEST(TextOpsTest, LengthLeftRightCountBytesAndClamp) {
  EXPECT_EQ(TextLength("标签12"), 6);
  EXPECT_EQ(TextLength(""), 0);
  EXPECT_EQ(TextLeft("abc", 0), "");
  EXPECT_EQ(TextLeft("abc", -5), "");
  EXPECT_EQ(TextLeft("abc", 10), "abc");
  EXPECT_EQ(TextLeft("abc", 2), "ab");
  EXPECT_EQ(TextRight("abc", -1), "");
  EXPECT_EQ(TextRight("abc", 3), "abc");
  EXPECT_EQ(TextRight("abc", INT_MAX), "abc");
  EXPECT_EQ(TextRight("abc", 2), "bc");
  // Left and right ignore character boundaries.
  EXPECT_EQ(TextLeft("标签", 1), "\xB1");
  EXPECT_EQ(TextRight("标签", 1), "\xA9");
}

TEST(TextOpsTest, NumberFromMarkDropsTwoBytes) {
  EXPECT_EQ(TextRight("1012", TextLength("1012") - 2), "12");
  EXPECT_EQ(NumberFromMark("1012"), 12);
  EXPECT_EQ(NumberFromMark("5039"), 39);
  EXPECT_EQ(NumberFromMark("3002"), 2);
  EXPECT_EQ(NumberFromMark("10"), 0);
  EXPECT_EQ(NumberFromMark(""), 0);
}

struct FindCase {
  const char* text;
  const char* sought;
  int start;
  bool ignore_case;
  int expected;
};

TEST(TextOpsTest, FindTextTable) {
  const FindCase cases[] = {
      {"a<|>b<|>c", "<|>", 1, false, 2},
      {"a<|>b<|>c", "<|>", 3, false, 6},
      {"abc", "", 1, false, 1},
      {"abc", "", 3, false, 1},
      {"abc", "", 4, false, -1},
      {"", "", 1, false, -1},
      {"abc", "c", 4, false, -1},
      {"abc", "c", 3, false, 3},
      {"abc", "a", -7, false, 1},
      {"abc", "abcd", 1, false, -1},
      {"ABC", "b", 1, false, -1},
      {"ABC", "b", 1, true, 2},
      {"abc", "BC", 1, true, 2},
      // Folding reaches the second byte of a two-byte character too.
      {"\xB0\x41", "\xB0\x61", 1, true, 1},
      // Only A-Z fold: 0xC1 and 0xE1 stay different.
      {"x\xC1\xA1", "x\xE1\xA1", 1, true, -1},
      // The two bytes straddling two Chinese characters are never a match.
      {"标签", "\xEA\xC7", 1, false, -1},
      {"标签标", "签", 1, false, 3},
      // A trailing byte is part of its character even when it looks like ASCII.
      {"\xB0<|>", "<|>", 1, false, -1},
      {"\xB0x<|>", "<|>", 1, false, 3},
      // A lone lead byte at the end is never compared.
      {"a\xB0", "\xB0", 1, false, -1},
  };
  for (const FindCase& c : cases) {
    EXPECT_EQ(FindText(c.text, c.sought, c.start, c.ignore_case), c.expected)
        << "text=" << c.text << " sought=" << c.sought << " start=" << c.start;
  }
  // A start inside a character begins the walk there.
  EXPECT_EQ(FindText("\xB0\x41", "A", 2), 2);
}

TEST(TextOpsTest, FindTextLastRespectsEndLimit) {
  EXPECT_EQ(FindTextLast("a<|>b<|>c", "<|>"), 6);
  EXPECT_EQ(FindTextLast("a<|>b<|>c", "<|>", 10), 6);
  EXPECT_EQ(FindTextLast("a<|>b<|>c", "<|>", 9), 6);  // the match ends at byte 8
  EXPECT_EQ(FindTextLast("a<|>b<|>c", "<|>", 8), 2);
  EXPECT_EQ(FindTextLast("a<|>b<|>c", "<|>", 1), -1);
  EXPECT_EQ(FindTextLast("a<|>b<|>c", "<|>", -3), -1);
  EXPECT_EQ(FindTextLast("a<|>b<|>c", "<|>", 1000), 6);
  EXPECT_EQ(FindTextLast("abc", ""), 1);
  EXPECT_EQ(FindTextLast("abc", "", 1), -1);
  // The limit bounds the match, not the characters: a lead byte is the last of the region
  // here, not of the text, and is found.
  EXPECT_EQ(FindTextLast("\xB0\x41xx", "\xB0", 2), 1);
  EXPECT_EQ(FindTextLast("", ""), -1);
  EXPECT_EQ(FindTextLast("aXaxa", "x", std::nullopt, true), 4);
  EXPECT_EQ(FindTextLast("标签标签", "\xEA\xC7"), -1);
  EXPECT_EQ(FindTextLast("标签标签", "签"), 7);
  // Every character start is tried, so overlapping matches count: "aaa" holds "aa" at 1 and 2.
  EXPECT_EQ(FindTextLast("aaa", "aa"), 2);
}

TEST(TextOpsTest, ReplaceTextMarkersAndCounts) {
  const std::string two_lines = "one\r\ntwo\r\n";
  const std::string stored = ReplaceText(two_lines, "\r\n", "><br><");
  EXPECT_EQ(stored, "one><br><two><br><");
  EXPECT_EQ(ReplaceText(stored, "><br><", "\r\n"), two_lines);

  EXPECT_EQ(ReplaceText("aaaa", "aa", "b"), "bb");
  EXPECT_EQ(ReplaceText("aaaa", "aa", "b", 1, 1), "baa");
  EXPECT_EQ(ReplaceText("aaaa", "aa", "b", 1, 0), "aaaa");
  EXPECT_EQ(ReplaceText("aaaa", "aa", "b", 1, -3), "bb");
  EXPECT_EQ(ReplaceText("aaaa", "aa", "b", 2), "aba");
  EXPECT_EQ(ReplaceText("aaaa", "aa", "b", 5), "aaaa");
  EXPECT_EQ(ReplaceText("aaaa", "", "b"), "aaaa");
  EXPECT_EQ(ReplaceText("", "a", "b"), "");
  EXPECT_EQ(ReplaceText("abab", "b"), "aa");
  // Replaced text is not scanned again.
  EXPECT_EQ(ReplaceText("aa", "a", "aa"), "aaaa");
  EXPECT_EQ(ReplaceText("AbA", "a", "x", 1, -1, false), "xbx");
  EXPECT_EQ(ReplaceText("AbA", "a", "x", 1, -1, true), "AbA");
  // Never from the second byte of a character, and the quote after a lead byte is its trail.
  EXPECT_EQ(ReplaceText("标签", "\xEA\xC7", "!"), "标签");
  EXPECT_EQ(ReplaceText("\xB0\"\"", "\"", "#引号"), "\xB0\"#引号");
  // A lone lead byte at the end stays as it is.
  EXPECT_EQ(ReplaceText("a\xB0", "\xB0", "x"), "a\xB0");
}

struct SplitCase {
  const char* text;
  const char* separator;
  std::optional<int> max_count;
  Pieces expected;
};

TEST(TextOpsTest, SplitTextTable) {
  const SplitCase cases[] = {
      {"a<||>b", "<||>", std::nullopt, {"a", "b"}},
      {"a<||><||>b", "<||>", std::nullopt, {"a", "", "b"}},
      {"<||>a", "<||>", std::nullopt, {"", "a"}},
      {"a<||>", "<||>", std::nullopt, {"a"}},
      {"<||>", "<||>", std::nullopt, {""}},
      {"", "<||>", std::nullopt, {}},
      {"a|b|c", "|", 2, {"a", "b"}},
      {"a|b|c", "|", 3, {"a", "b", "c"}},
      {"a|b|c", "|", 0, {}},
      {"a|b|c", "|", -2, {}},
      {"abc", "|", 1, {"abc"}},
      {"abc", "", std::nullopt, {"abc"}},
      {"a,b", ",", std::nullopt, {"a", "b"}},
      {"标签", "\xEA\xC7", std::nullopt, {"标签"}},
      {"甲<||>乙", "<||>", std::nullopt, {"甲", "乙"}},
      {"a<||>b\xB0", "<||>", std::nullopt, {"a", "b\xB0"}},
  };
  for (const SplitCase& c : cases) {
    EXPECT_EQ(SplitText(c.text, c.separator, c.max_count), c.expected) << "text=" << c.text;
  }
  EXPECT_EQ(SplitText("x,y"), (Pieces{"x", "y"}));
}

TEST(TextOpsTest, TextEqualsComparesUnsignedBytes) {
  EXPECT_EQ(TextEquals("", ""), 0);
  EXPECT_EQ(TextEquals("abc", "abc"), 0);
  EXPECT_LT(TextEquals("", "a"), 0);
  EXPECT_GT(TextEquals("a", ""), 0);
  EXPECT_LT(TextEquals("ab", "abc"), 0);
  EXPECT_LT(TextEquals("a", "b"), 0);
  EXPECT_GT(TextEquals("\xB0", "a"), 0);
  EXPECT_NE(TextEquals("A", "a"), 0);
  EXPECT_EQ(ConcatText({"a", "", "标签", "\\Data"}), "a标签\\Data");
  EXPECT_EQ(ConcatText({}), "");
}

TEST(TextOpsTest, ToNumberReadsLeadingNumber) {
  const std::pair<const char*, double> cases[] = {
      {"12abc", 12.0},
      {"abc", 0.0},
      {" 7", 7.0},
      {"１２", 12.0},
      {"", 0.0},
      {"-1", -1.0},
      {"+3.5x", 3.5},
      {"\t\r\n 2e3", 2000.0},
      {"1.", 1.0},
      {".25", 0.25},
      {"1e", 1.0},
      {"1e+", 1.0},
      {"－３．５", -3.5},
      {"\xA1\xA1"
       "8",
       8.0},
      {"--1", 0.0},
      {"0x10", 0.0},
      {"inf", 0.0},
      {"-infinity", 0.0},
      {"nan", 0.0},
      {"1e-999", 0.0},
      {"0.000e99999", 0.0},
      {"4.9e-324", 4.9e-324},
      {"1.7976931348623157e308", 1.7976931348623157e308},
      {"0.1", 0.1},
      {"123456789012345678901234567890", 123456789012345678901234567890.0},
      {"2.2250738585072011e-308", 2.2250738585072011e-308},
      {".", 0.0},
      {"-.e5", 0.0},
      {"1,5", 1.0},
      {"12 34", 12.0},
  };
  for (const auto& [text, expected] : cases) {
    EXPECT_DOUBLE_EQ(ToNumber(text), expected) << text;
  }
  EXPECT_EQ(ToNumber("1e999"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ToNumber("-1e999"), -std::numeric_limits<double>::infinity());
  EXPECT_EQ(ToNumber("10000e308"), std::numeric_limits<double>::infinity());
  EXPECT_EQ(ToNumber("0.0001e-320"), 0.0);
}

TEST(TextOpsTest, ToTextFormats) {
  EXPECT_EQ(ToText(-12), "-12");
  EXPECT_EQ(ToText(INT_MIN), "-2147483648");
  EXPECT_EQ(ToText(3.0), "3");
  EXPECT_EQ(ToText(14.0), "14");
  EXPECT_EQ(ToText(0.1 + 0.2), "0.3");
  EXPECT_EQ(ToText(-14.0), "-14");
  EXPECT_EQ(ToText(0.0001), "0.0001");
  EXPECT_EQ(ToText(0.00001), "1e-05");
  EXPECT_EQ(ToText(1234567890123.0), "1234567890123");
  EXPECT_EQ(ToText(12345678901234.0), "1.234567890123e+13");
  EXPECT_EQ(ToText(true), "真");
  EXPECT_EQ(ToText(false), "假");
}

TEST(TextOpsTest, TruncateToIntNeverOverflows) {
  EXPECT_EQ(TruncateToInt(2.9), 2);
  EXPECT_EQ(TruncateToInt(-2.9), -2);
  EXPECT_EQ(TruncateToInt(1e300), INT_MAX);
  EXPECT_EQ(TruncateToInt(-1e300), INT_MIN);
  EXPECT_EQ(TruncateToInt(std::nan("")), 0);
  EXPECT_EQ(TruncateToInt(ToNumber("-1e999")), INT_MIN);
}

}  // namespace
}  // namespace velmora
