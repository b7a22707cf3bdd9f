#include "transcript.h"

#include <gtest/gtest.h>

#include <string>

#include "docx_text.h"

namespace velmora {
namespace {

// Expected transcript texts are UTF-8; the literals of this file are GBK.
std::string Utf8(const char* text) { return text; }

TEST(Transcript, QuotesEscapesAsAScriptWritesThem) {
  EXPECT_EQ(QuoteText("a\"b\\c\r\n\t"), Utf8(R"("a\"b\\c\r\n\t")"));
  EXPECT_EQ(QuoteText(std::string("\x01\x7F", 2)), Utf8(R"("\x01\x7F")"));
  EXPECT_EQ(QuoteText(""), Utf8(R"("")"));
}

TEST(Transcript, ConvertsGbkAndShowsInvalidBytesAsHex) {
  EXPECT_EQ(QuoteText("\xBC\xD7"), "\"\xE7\x94\xB2\"");  // 甲
  // The trail byte 0x5C of this character is no backslash and is not escaped.
  EXPECT_EQ(QuoteText("\x95\x5C"), "\"\xE6\x98\x9E\"");
  EXPECT_EQ(QuoteText("a\xFF"
                      "b\x80"),
            Utf8(R"("a\xFFb\x80")"));
  EXPECT_EQ(PlainText("\xBC\xD7\xFF"), "\xE7\x94\xB2\\xFF");
}

TEST(DocxText, ParagraphsWithEntitiesTabsAndEmptyOnes) {
  const std::string xml =
      R"(<?xml version="1.0"?><w:document><w:body>)"
      R"(<w:p><w:pPr><w:pStyle w:val="T"/></w:pPr><w:r><w:t>a &lt;&amp;&gt; &quot;&apos;</w:t></w:r></w:p>)"
      R"(<w:p/><w:p><w:r><w:t xml:space="preserve"> x</w:t><w:tab/><w:t>&#x4E2D;&#25991;</w:t></w:r></w:p>)"
      R"(<w:sectPr/></w:body></w:document>)";
  const std::vector<std::string> paragraphs = ParagraphsOfDocumentXml(xml);
  ASSERT_EQ(paragraphs.size(), 3u);
  EXPECT_EQ(paragraphs[0], "a <&> \"'");
  EXPECT_EQ(paragraphs[1], "");
  EXPECT_EQ(paragraphs[2], " x\t\xE4\xB8\xAD\xE6\x96\x87");
  EXPECT_FALSE(ReadDocxParagraphs("not a zip").has_value());
}

}  // namespace
}  // namespace velmora
