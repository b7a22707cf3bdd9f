#pragma once

// The built-in word processor's file format: a typed text saved as an Office Open XML
// document (.docx) that Word opens without a repair prompt.

#include <string>
#include <string_view>

namespace velmora {

// The .docx bytes of a GBK text. Every line break (CR LF, or a lone CR or LF) ends a paragraph,
// the text after the last one is the last paragraph, tabs stay tabs, and the first line is the
// document's title. The same text always gives the same bytes. False when the archive could not
// be built.
bool BuildDocx(std::string_view gbk_text, std::string& docx);

}  // namespace velmora
