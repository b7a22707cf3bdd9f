// The profile store on files saved by hand as UTF-16LE, UTF-8 and UTF-8 with a byte-order
// mark: the first line of the input is a value, the rest the file's text. Setting the value and
// reading the written file again gives the value and every other key as before, in the same
// encoding; a file written unchanged reads as the same values.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "ini_names.h"
#include "runtime/encoded_profile.h"
#include "runtime/gbk_codec.h"
#include "runtime/name_index.h"
#include "runtime/text_encoding.h"

namespace {

using velmora::EncodedProfile;
using velmora::TextEncoding;

// "编辑框" in GBK, as the program's own files begin.
constexpr std::string_view kSection = "\xB1\xE0\xBC\xAD\xBF\xF2";
constexpr std::string_view kKey = "Key";

std::string Written(const EncodedProfile& profile) {
  std::string storage;
  std::string bytes;
  for (const std::string_view piece : profile.FilePieces(storage)) bytes += piece;
  return bytes;
}

void CheckEncoding(std::string_view value, std::string_view text, TextEncoding encoding) {
  const std::string file = velmora::EncodeText(text, encoding);
  const EncodedProfile before(file);
  velmora::fuzz::Check(before.Encoding() == encoding, "a hand-saved file is not recognised");
  const auto names = velmora::fuzz::Names(before.Document().Source());

  const EncodedProfile unchanged(Written(before));
  velmora::fuzz::Check(unchanged.Encoding() == encoding, "a file comes back in another encoding");
  for (const auto& [section, key] : names) {
    velmora::fuzz::Check(
        before.Document().Find(section, key) == unchanged.Document().Find(section, key),
        "a value changed on writing the file unchanged");
  }

  EncodedProfile changed(file);
  velmora::fuzz::Check(changed.Document().Set(kSection, kKey, value), "a plain key is refused");
  const EncodedProfile after(Written(changed));
  velmora::fuzz::Check(after.Encoding() == encoding, "a changed file is in another encoding");
  const std::string_view expected = value.substr(0, value.find_first_of(std::string("\r\n\0", 3)));
  velmora::fuzz::Check(after.Document().Find(kSection, kKey) == std::optional(expected),
                       "the value set does not read back");
  for (const auto& [section, key] : names) {
    if (velmora::FoldedNamesEqual(section, kSection) && velmora::FoldedNamesEqual(key, kKey))
      continue;
    velmora::fuzz::Check(
        before.Document().Find(section, key) == after.Document().Find(section, key),
        "another key changed");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t newline = input.find('\n');
  // What a Unicode file can hold: text that comes back through UTF-8.
  const std::string value = velmora::Utf8ToGbk(velmora::GbkToUtf8(input.substr(0, newline)));
  const std::string text = velmora::Utf8ToGbk(velmora::GbkToUtf8(
      newline == std::string_view::npos ? std::string_view() : input.substr(newline + 1)));
  CheckEncoding(value, text, TextEncoding::kUtf16Le);
  CheckEncoding(value, text, TextEncoding::kUtf8WithMark);
  // Without a mark, a file is UTF-8 only by holding a byte above 0x7F.
  CheckEncoding(value, std::string(kSection).append("\r\n").append(text), TextEncoding::kUtf8);
  return 0;
}
