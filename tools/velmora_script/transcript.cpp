#include "transcript.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "runtime/gbk_codec.h"

namespace velmora {

namespace {

// 0xFF never occurs in UTF-8, so it can carry an invalid byte through the conversion until
// the escaping pass below turns it into \xHH.
constexpr char kInvalidMark = '\xFF';

std::string HexByte(unsigned char byte) {
  char buffer[5];
  std::snprintf(buffer, sizeof buffer, "\\x%02X", byte);
  return buffer;
}

std::string MarkedUtf8(std::string_view gbk) {
  return GbkToUtf8(gbk, [](unsigned char byte) { return std::string{kInvalidMark, char(byte)}; });
}

}  // namespace

std::string QuoteText(std::string_view gbk) {
  const std::string utf8 = MarkedUtf8(gbk);
  std::string out = "\"";
  for (std::size_t i = 0; i < utf8.size(); ++i) {
    const char c = utf8[i];
    const auto byte = static_cast<unsigned char>(c);
    if (c == kInvalidMark && i + 1 < utf8.size()) {
      out += HexByte(static_cast<unsigned char>(utf8[++i]));
    } else if (c == '"' || c == '\\') {
      out += '\\';
      out += c;
    } else if (c == '\r') {
      out += "\\r";
    } else if (c == '\n') {
      out += "\\n";
    } else if (c == '\t') {
      out += "\\t";
    } else if (byte < 0x20 || byte == 0x7F) {
      out += HexByte(byte);
    } else {
      out += c;
    }
  }
  out += '"';
  return out;
}

std::string PlainText(std::string_view gbk) {
  return GbkToUtf8(gbk, [](unsigned char byte) { return HexByte(byte); });
}

void Transcript::Line(std::string_view utf8) { out_ << utf8 << '\n'; }

}  // namespace velmora
