#include "app/stored_text.h"

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "runtime/text_ops.h"

namespace velmora {
namespace {

TEST(StoredTextTest, EditBoxTextsEncodeAndDecode) {
  const std::pair<std::string, std::string> cases[] = {
      {"a\r\nb", "a><br><b"},
      {"\"hi\"", "#引号hi#引号"},
      {"", ""},
      {"标签\r\n\r\n", "标签><br><><br><"},
      {"  blanks  ", "  blanks  "},
  };
  for (const auto& [text, value] : cases) {
    EXPECT_EQ(EncodeStoredText(text), value);
    EXPECT_EQ(DecodeStoredText(value), text);
  }
}

TEST(StoredTextTest, LoneLineEndsAreStoredAsLineBreaks) {
  EXPECT_EQ(EncodeStoredText("a\nb"), "a><br><b");
  EXPECT_EQ(EncodeStoredText("a\rb"), "a><br><b");
  EXPECT_EQ(EncodeStoredText("\r\r\n\n"), "><br><><br><><br><");
  EXPECT_EQ(DecodeStoredText(EncodeStoredText("a\nb")), "a\r\nb");
  // Behind a lead byte a CR would be taken as the second byte of a character; it is still kept
  // off the profile line.
  EXPECT_EQ(EncodeStoredText("\xB0\r"), "\xB0><br><");
}

TEST(StoredTextTest, MarkerTextsDoNotSurvive) {
  EXPECT_EQ(DecodeStoredText(EncodeStoredText("x><br><y")), "x\r\ny");
  EXPECT_EQ(DecodeStoredText(EncodeStoredText("x#引号y")), "x\"y");
}

// Texts built from pieces that cannot form a marker come back whole, except that every lone
// CR or LF comes back as CR LF; nothing stored holds a line end or a double quote.
TEST(StoredTextTest, RandomTextsRoundTrip) {
  const std::string pieces[] = {"a",
                                " ",
                                "\r\n",
                                "\r",
                                "\n",
                                "\"",
                                "标",
                                "<",
                                ">",
                                "|",
                                "\x81\x30\x81\x30",
                                "\x95\x32\x82\x36",
                                "\t",
                                "'"};
  std::mt19937 random(7);
  std::uniform_int_distribution<std::size_t> pick(0, std::size(pieces) - 1);
  std::uniform_int_distribution<int> length(0, 30);
  for (int round = 0; round < 3000; ++round) {
    std::string text;
    for (int n = length(random); n > 0; --n) text += pieces[pick(random)];
    std::string expected;
    for (std::size_t i = 0; i < text.size(); ++i) {
      if (text[i] == '\r' || text[i] == '\n') {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
        expected += "\r\n";
      } else {
        expected += text[i];
      }
    }
    const std::string value = EncodeStoredText(text);
    ASSERT_EQ(value.find_first_of("\r\n\""), std::string::npos) << text;
    ASSERT_EQ(DecodeStoredText(value), expected) << text;
  }
}

TEST(StoredTextTest, TickValues) {
  EXPECT_EQ(EncodeTick(true), "真");
  EXPECT_EQ(EncodeTick(false), "假");
  EXPECT_EQ(DecodeTick(""), TickValue::kUnchanged);
  EXPECT_EQ(DecodeTick("假"), TickValue::kUnticked);
  EXPECT_EQ(DecodeTick("真"), TickValue::kTicked);
  EXPECT_EQ(DecodeTick("0"), TickValue::kTicked);
  EXPECT_EQ(DecodeTick("假 "), TickValue::kTicked);
}

TEST(StoredTextTest, SeparatorHelpers) {
  EXPECT_EQ(TextBeforeSeparator("a<|>b<|>c", "<|>"), "a");
  EXPECT_EQ(TextAfterSeparator("a<|>b<|>c", "<|>"), "c");
  EXPECT_EQ(TextBeforeSeparator("abc", "<|>"), "");
  EXPECT_EQ(TextAfterSeparator("abc", "<|>"), "");
  EXPECT_EQ(TextBeforeSeparator("<|>x", "<|>"), "");
  EXPECT_EQ(TextAfterSeparator("x<|>", "<|>"), "");
  EXPECT_EQ(TextAfterSeparator("预设<|>12", "<|>"), "12");
}

ComboState LayoutPresets() {
  ComboState combo;
  combo.Add("预设配置一");
  combo.Add("预设配置二");
  combo.Add("预设配置三");
  combo.SetSelection(0);
  return combo;
}

TEST(StoredTextTest, ComboStateEncodes) {
  EXPECT_EQ(EncodeComboState(LayoutPresets()),
            "预设配置一<|>0<||>预设配置二<|>0<||>预设配置三<|>0<||>0<|>预设配置一");
  EXPECT_EQ(EncodeComboState(ComboState()), "-1<|>");
  ComboState quoted;
  quoted.Add("say \"x\"", -3);
  EXPECT_EQ(EncodeComboState(quoted), "say #引号x#引号<|>-3<||>-1<|>");
}

TEST(StoredTextTest, ComboStateDecodes) {
  ComboState combo;
  DecodeComboState(EncodeComboState(LayoutPresets()), combo);
  EXPECT_EQ(combo.Entries().size(), 3u);
  EXPECT_EQ(combo.EntryText(2), "预设配置三");
  EXPECT_EQ(combo.Selection(), 0);
  EXPECT_EQ(combo.Text(), "预设配置一");

  // An empty value leaves the box as it is.
  DecodeComboState("", combo);
  EXPECT_EQ(combo.Count(), 3);
  EXPECT_EQ(combo.Selection(), 0);

  DecodeComboState("-1<|>", combo);
  EXPECT_EQ(combo.Count(), 0);
  EXPECT_EQ(combo.Selection(), -1);

  DecodeComboState("a<|>b<|>5<||>x<||>y<||>9<|>", combo);
  ASSERT_EQ(combo.Count(), 3);
  EXPECT_EQ(combo.EntryText(0), "a");  // cut at the first "<|>"
  EXPECT_EQ(combo.EntryValue(0), 5);   // value after the last "<|>"
  EXPECT_EQ(combo.EntryText(1), "");   // no "<|>": empty text, value 0
  EXPECT_EQ(combo.EntryValue(1), 0);
  EXPECT_EQ(combo.Selection(), 2);  // beyond the last entry: the last one

  DecodeComboState("say #引号x#引号<|>2.9<||>abc<|>", combo);
  ASSERT_EQ(combo.Count(), 1);
  EXPECT_EQ(combo.EntryText(0), "say \"x\"");
  EXPECT_EQ(combo.EntryValue(0), 2);
  EXPECT_EQ(combo.Selection(), 0);  // not a number: 0

  DecodeComboState("p<|>0<||>-7<|>", combo);
  EXPECT_EQ(combo.Selection(), -1);
}

// Entry texts are not escaped: "<||>" inside one splits it, and the part before the separator
// has no "<|>", so it reads as an empty entry.
// A lone lead byte written by hand before a separator stands alone: "<" can end no character.
TEST(StoredTextTest, ALoneLeadByteNeverSwallowsASeparator) {
  ComboState combo;
  DecodeComboState("周\x80<|>0<||>\x81<|>3<||>月<|>0<||>2<|>月\x81", combo);
  ASSERT_EQ(combo.Count(), 3);
  EXPECT_EQ(combo.EntryText(0), "周\x80");
  EXPECT_EQ(combo.EntryText(1), "\x81");
  EXPECT_EQ(combo.EntryValue(1), 3);
  EXPECT_EQ(combo.Selection(), 2);
  EXPECT_EQ(EncodeComboState(combo), "周\x80<|>0<||>\x81<|>3<||>月<|>0<||>2<|>月");
  EXPECT_EQ(TextBeforeSeparator("a\xB0<|>b", "<|>"), "a\xB0");
}

TEST(StoredTextTest, ComboEntryWithEntrySeparatorReadsAsTwo) {
  ComboState combo;
  combo.Add("one<||>two");
  combo.Add("three");
  combo.SetSelection(1);
  ComboState read;
  DecodeComboState(EncodeComboState(combo), read);
  ASSERT_EQ(read.Count(), 3);
  EXPECT_EQ(read.EntryText(0), "");
  EXPECT_EQ(read.EntryText(1), "two");
  EXPECT_EQ(read.EntryText(2), "three");
  EXPECT_EQ(read.Selection(), 1);
}

// The encoder and decoder work in single passes; they must give exactly what the plain
// replacements give, on any bytes: lead bytes before line ends, quotes and marker pieces, lone
// lead bytes at the end, invalid GBK.
TEST(StoredTextTest, SinglePassesEqualThePlainReplacements) {
  const auto mark_every_line_end = [](const std::string& value) {
    std::string marked;
    for (char c : value)
      marked += (c == '\r' || c == '\n') ? std::string("><br><") : std::string(1, c);
    return marked;
  };
  const auto encoded = [&](const std::string& text) {
    return ReplaceText(mark_every_line_end(ReplaceText(text, "\r\n", "><br><")), "\"", "#引号");
  };
  const auto decoded = [](const std::string& value) {
    return ReplaceText(ReplaceText(value, "><br><", "\r\n"), "#引号", "\"");
  };
  const std::string bytes = std::string("\r\n\"><br#a \0", 11) + "\xB0\x81\xFE" + "引号";
  std::mt19937 random(11);
  std::uniform_int_distribution<std::size_t> pick(0, bytes.size() - 1);
  std::uniform_int_distribution<int> length(0, 24);
  for (int round = 0; round < 20000; ++round) {
    std::string text;
    for (int n = length(random); n > 0; --n) text += bytes[pick(random)];
    ASSERT_EQ(EncodeStoredText(text), encoded(text)) << ::testing::PrintToString(text);
    ASSERT_EQ(DecodeStoredText(text), decoded(text)) << ::testing::PrintToString(text);
  }
}

}  // namespace
}  // namespace velmora
