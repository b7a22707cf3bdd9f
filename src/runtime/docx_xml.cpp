#include "runtime/docx_xml.h"

#include <cstdint>

namespace velmora {

namespace {

constexpr std::string_view kReplacementCharacter = "\xEF\xBF\xBD";

// The length of the well-formed UTF-8 sequence at the start of text and its code point, or 0
// when the bytes there are not one.
std::size_t DecodeUtf8(std::string_view text, char32_t& code_point) {
  const auto lead = static_cast<unsigned char>(text[0]);
  std::size_t length = 0;
  char32_t value = 0;
  if (lead < 0x80) {
    code_point = lead;
    return 1;
  } else if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
    value = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    value = lead & 0x0F;
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    value = lead & 0x07;
  } else {
    return 0;
  }
  if (text.size() < length) return 0;
  for (std::size_t i = 1; i < length; ++i) {
    const auto next = static_cast<unsigned char>(text[i]);
    if ((next & 0xC0) != 0x80) return 0;
    value = (value << 6) | (next & 0x3F);
  }
  const bool overlong = (length == 3 && value < 0x800) || (length == 4 && value < 0x10000);
  const bool surrogate = value >= 0xD800 && value <= 0xDFFF;
  if (overlong || surrogate || value > 0x10FFFF) return 0;
  code_point = value;
  return length;
}

// The Char production of XML 1.0.
bool IsXmlChar(char32_t c) {
  return c == 0x9 || c == 0xA || c == 0xD || (c >= 0x20 && c <= 0xD7FF) ||
         (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
}

void AppendRunText(std::string& xml, std::string_view escaped) {
  xml += "<w:t xml:space=\"preserve\">";
  xml += escaped;
  xml += "</w:t>";
}

}  // namespace

void AppendXmlText(std::string& xml, std::string_view utf8) {
  std::size_t plain_start = 0;  // copied in one piece up to the next character that needs work
  std::size_t i = 0;
  while (i < utf8.size()) {
    const char byte = utf8[i];
    if (byte >= 0x20 && byte != '&' && byte != '<' && byte != '>' && byte != '"' && byte != '\'') {
      ++i;  // plain ASCII
      continue;
    }
    char32_t code_point = 0;
    const std::size_t length = DecodeUtf8(utf8.substr(i), code_point);
    if (length > 1 && IsXmlChar(code_point)) {
      i += length;
      continue;
    }
    xml.append(utf8.substr(plain_start, i - plain_start));
    if (length == 0) {
      xml += kReplacementCharacter;
      i += 1;
    } else {
      switch (byte) {
        case '&':
          xml += "&amp;";
          break;
        case '<':
          xml += "&lt;";
          break;
        case '>':
          xml += "&gt;";
          break;
        case '"':
          xml += "&quot;";
          break;
        case '\'':
          xml += "&apos;";
          break;
        case '\t':
          xml += '\t';
          break;
        default:
          break;  // a character XML cannot carry: left out
      }
      i += length;
    }
    plain_start = i;
  }
  xml.append(utf8.substr(plain_start));
}

void AppendParagraphXml(std::string& xml, std::string_view utf8_line) {
  std::string text;
  AppendXmlText(text, utf8_line);
  if (text.empty()) {
    xml += "<w:p/>";
    return;
  }
  xml += "<w:p><w:r>";
  const std::string_view escaped = text;
  std::size_t start = 0;
  for (std::size_t tab = escaped.find('\t'); tab != std::string_view::npos;
       tab = escaped.find('\t', start)) {
    if (tab > start) AppendRunText(xml, escaped.substr(start, tab - start));
    xml += "<w:tab/>";
    start = tab + 1;
  }
  if (start < escaped.size()) AppendRunText(xml, escaped.substr(start));
  xml += "</w:r></w:p>";
}

}  // namespace velmora
