// The encoding of a profile file: whatever the bytes, the text decoded from them, written in
// the encoding found and read again, is the same text in the same encoding; and the file comes
// back byte for byte unless decoding had to replace something in it.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "fuzz_check.h"
#include "runtime/text_encoding.h"

namespace {

// U+FFFD in GB18030: what decoding puts for a sequence it cannot carry.
constexpr std::string_view kReplacement = "\x84\x31\xA4\x37";

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const velmora::TextEncoding encoding = velmora::DetectTextEncoding(input);
  const std::string text = velmora::DecodeText(input, encoding);
  const std::string written = velmora::EncodeText(text, encoding);
  velmora::fuzz::Check(velmora::DetectTextEncoding(written) == encoding,
                       "a file written back is found in another encoding");
  velmora::fuzz::Check(velmora::DecodeText(written, encoding) == text,
                       "a file written back reads as another text");
  if (written != input) {
    velmora::fuzz::Check(
        encoding != velmora::TextEncoding::kGbk && text.find(kReplacement) != std::string::npos,
        "a file comes back changed though nothing in it was replaced");
  }
  return 0;
}
