// The GB18030 codec: valid input comes back byte for byte through UTF-8.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "fuzz_check.h"
#include "runtime/gbk_codec.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string utf8 = velmora::GbkToUtf8(input);
  if (velmora::IsValidGb18030(input)) {
    velmora::fuzz::Check(velmora::Utf8ToGbk(utf8) == input, "valid GB18030 does not come back");
  }
  return 0;
}
