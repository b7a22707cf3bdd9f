#pragma once

// Typed text turned into WordprocessingML: paragraphs, tabs, escaping, and the characters that
// XML 1.0 cannot carry left out.

#include <string>
#include <string_view>

namespace velmora {

// Character data for an element or attribute: & < > " ' escaped, tabs kept, line breaks and the
// characters that XML 1.0 forbids left out, bytes that are not UTF-8 replaced by U+FFFD.
void AppendXmlText(std::string& xml, std::string_view utf8);

// One <w:p> for a line without line breaks; tabs become <w:tab/>.
void AppendParagraphXml(std::string& xml, std::string_view utf8_line);

}  // namespace velmora
