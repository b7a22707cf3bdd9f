// The encoding of a profile file: whatever the bytes, the text decoded from them, written in
// the encoding found and read again, is the same text in the same encoding; a GBK file and a
// valid file in a Unicode encoding come back byte for byte.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "runtime/gbk_codec.h"
#include "runtime/text_encoding.h"

namespace {

using velmora::TextEncoding;

// Whole UTF-16LE units after the mark, every surrogate in a pair.
bool ValidUtf16Le(std::string_view bytes) {
  if (bytes.size() % 2 != 0) return false;
  bool expect_low = false;
  for (std::size_t i = 2; i < bytes.size(); i += 2) {
    const auto unit = static_cast<unsigned>(static_cast<unsigned char>(bytes[i]) |
                                            static_cast<unsigned char>(bytes[i + 1]) << 8);
    const bool high = unit >= 0xD800 && unit < 0xDC00;
    const bool low = unit >= 0xDC00 && unit <= 0xDFFF;
    if (low != expect_low || (expect_low && high)) return false;
    expect_low = high;
  }
  return !expect_low;
}

bool ValidIn(std::string_view bytes, TextEncoding encoding) {
  switch (encoding) {
    case TextEncoding::kGbk:
      return true;
    case TextEncoding::kUtf8:
    case TextEncoding::kUtf8WithMark:
      return velmora::IsValidUtf8(bytes);
    case TextEncoding::kUtf16Le:
      return ValidUtf16Le(bytes);
  }
  return false;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const TextEncoding encoding = velmora::DetectTextEncoding(input);
  const std::string text = velmora::DecodeText(input, encoding);
  const std::string written = velmora::EncodeText(text, encoding);
  velmora::fuzz::Check(velmora::DetectTextEncoding(written) == encoding,
                       "a file written back is found in another encoding");
  velmora::fuzz::Check(velmora::DecodeText(written, encoding) == text,
                       "a file written back reads as another text");
  if (ValidIn(input, encoding))
    velmora::fuzz::Check(written == input, "a valid file does not come back as it was");
  return 0;
}
