#include "runtime/utf8.h"

namespace velmora {
namespace {

constexpr char32_t kFirstTwoByte = 0x80;
constexpr char32_t kFirstThreeByte = 0x800;
constexpr char32_t kFirstFourByte = 0x10000;
constexpr char32_t kLastCode = 0x10FFFF;
constexpr char32_t kSurrogateFirst = 0xD800;
constexpr char32_t kSurrogateLast = 0xDFFF;

bool InRange(unsigned char byte, unsigned char low, unsigned char high) {
  return byte >= low && byte <= high;
}

}  // namespace

std::optional<char32_t> DecodeUtf8(std::string_view bytes, std::size_t& used) {
  const auto lead = static_cast<unsigned char>(bytes[0]);
  std::size_t size = 0;
  char32_t code = 0;
  char32_t minimum = 0;
  if (lead < kFirstTwoByte) {
    used = 1;
    return lead;
  } else if (InRange(lead, 0xC2, 0xDF)) {
    size = 2, code = lead & 0x1F, minimum = kFirstTwoByte;
  } else if (InRange(lead, 0xE0, 0xEF)) {
    size = 3, code = lead & 0x0F, minimum = kFirstThreeByte;
  } else if (InRange(lead, 0xF0, 0xF4)) {
    size = 4, code = lead & 0x07, minimum = kFirstFourByte;
  } else {
    return std::nullopt;
  }
  if (bytes.size() < size) return std::nullopt;
  for (std::size_t i = 1; i < size; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[i]);
    if ((byte & 0xC0) != 0x80) return std::nullopt;
    code = code << 6 | (byte & 0x3F);
  }
  if (code < minimum || code > kLastCode || (code >= kSurrogateFirst && code <= kSurrogateLast))
    return std::nullopt;
  used = size;
  return code;
}

void AppendUtf8(char32_t code, std::string& out) {
  if (code < kFirstTwoByte) {
    out.push_back(static_cast<char>(code));
  } else if (code < kFirstThreeByte) {
    out.push_back(static_cast<char>(0xC0 | code >> 6));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < kFirstFourByte) {
    out.push_back(static_cast<char>(0xE0 | code >> 12));
    out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out.push_back(static_cast<char>(0xF0 | code >> 18));
    out.push_back(static_cast<char>(0x80 | (code >> 12 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code >> 6 & 0x3F)));
    out.push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

}  // namespace velmora
