// The INI document: the first line of the input is a value, the rest a file. Setting the value
// under a key and reading the written file again gives the value (up to where a reader stops)
// and leaves every other key of the file as it was.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "fuzz_check.h"
#include "ini_names.h"
#include "runtime/ini_document.h"
#include "runtime/name_index.h"

namespace {

using velmora::IniDocument;

std::string Joined(const std::vector<std::string_view>& pieces) {
  std::string bytes;
  for (const std::string_view piece : pieces) bytes += piece;
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::size_t newline = input.find('\n');
  const std::string value(input.substr(0, newline));
  const std::string file(newline == std::string_view::npos ? "" : input.substr(newline + 1));
  const std::string section = "Sec";
  const std::string key = "Key";

  const IniDocument before(file);
  const auto names = velmora::fuzz::Names(file);
  IniDocument changed(file);
  const bool set = changed.Set(section, key, value);
  velmora::fuzz::Check(set, "a plain key is refused");
  const IniDocument after(Joined(changed.Pieces()));

  const std::string_view expected = std::string_view(value).substr(
      0, std::string_view(value).find_first_of(std::string("\r\n\0", 3)));
  velmora::fuzz::Check(after.Find(section, key) == std::optional<std::string_view>(expected),
                       "the value set does not read back");
  for (const auto& [name_section, name_key] : names) {
    if (velmora::FoldedNamesEqual(name_section, section) &&
        velmora::FoldedNamesEqual(name_key, key))
      continue;
    velmora::fuzz::Check(before.Find(name_section, name_key) == after.Find(name_section, name_key),
                         "another key changed");
  }
  return 0;
}
