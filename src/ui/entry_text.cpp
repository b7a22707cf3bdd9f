#include "ui/entry_text.h"

#include <algorithm>

#include "runtime/gbk_codec.h"

namespace velmora {
namespace {

// The bytes of the first characters of a GB18030 text: a lead byte above 0x80 starts a two-byte
// character, or a four-byte one when a digit follows it.
std::string_view FirstCharacters(std::string_view gbk, int characters) {
  std::size_t end = 0;
  for (int i = 0; i < characters && end < gbk.size(); ++i) {
    std::size_t length = 1;
    if (static_cast<unsigned char>(gbk[end]) > 0x80 && end + 1 < gbk.size()) {
      const char next = gbk[end + 1];
      length = next >= '0' && next <= '9' ? 4 : 2;
    }
    end = std::min(end + length, gbk.size());
  }
  return gbk.substr(0, end);
}

}  // namespace

std::string ListEntryLine(std::string_view gbk) {
  const std::string text = GbkToUtf8(FirstCharacters(gbk, kListEntryShownCharacters));
  // U+21B5, the return symbol, between two blanks (UTF-8 bytes: this target's narrow
  // literals are GBK).
  static constexpr std::string_view kSymbol = " \xE2\x86\xB5 ";
  std::string line;
  line.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' || text[i] == '\n') {
      if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
      line += kSymbol;
    } else {
      line += text[i];
    }
  }
  return line;
}

}  // namespace velmora
