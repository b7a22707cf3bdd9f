#pragma once

// The encodings in which a profile file may come: ours (GBK, with GB18030 for what GBK lacks),
// and the ones a text editor saves a file in by hand. A file is read as GBK bytes, whatever it
// came in, and written back in the encoding it came in, so that no file ever mixes two.

#include <string>
#include <string_view>

namespace velmora {

enum class TextEncoding {
  kGbk,
  kUtf8,          // no byte-order mark
  kUtf8WithMark,  // EF BB BF
  kUtf16Le,       // FF FE, as the platform's profile functions write a Unicode file
};

// A UTF-16LE or UTF-8 byte-order mark decides. Without one, a file is UTF-8 when the whole of
// it is valid UTF-8 and holds a byte above 0x7F: a GBK file of ours never is, since its Chinese
// section and key names are not valid UTF-8. Anything else is GBK.
TextEncoding DetectTextEncoding(std::string_view bytes);

// The file's text as GBK bytes (GB18030 for characters outside GBK), without a byte-order
// mark. A sequence that is not valid in its encoding (a lone surrogate, a stray byte) becomes
// U+FFFD.
std::string DecodeText(std::string_view bytes, TextEncoding encoding);
// GBK bytes as a file in the encoding, with its byte-order mark. For text that DecodeText
// made without replacing anything (every character but 24 of the private use area has a
// GB18030 form), gives the file back byte for byte.
std::string EncodeText(std::string_view gbk, TextEncoding encoding);

}  // namespace velmora
