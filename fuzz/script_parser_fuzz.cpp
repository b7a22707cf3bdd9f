// The script parser of velmora-script takes any text without a crash.

#include <cstddef>
#include <cstdint>
#include <string_view>

#include "script_parser.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  [[maybe_unused]] const auto parsed = velmora::ParseScript(input);
  return 0;
}
