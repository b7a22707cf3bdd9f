// The stored-text and combo-box encodings: no stored value holds a line end, nor a double quote
// when the text is valid;
// a text that the rules let come back comes back; a list of plain names comes back whole.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "app/stored_text.h"
#include "fuzz_check.h"
#include "runtime/gbk_codec.h"
#include "ui/combo_state.h"

namespace {

// Entry texts the list keeps as they are: valid GB18030 without the markers' first bytes.
bool PlainName(std::string_view name) {
  return velmora::IsValidGb18030(name) &&
         name.find_first_of(std::string("<#\"\0", 4)) == std::string_view::npos;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string_view input(reinterpret_cast<const char*>(data), size);
  const std::string value = velmora::EncodeStoredText(input);
  velmora::fuzz::Check(value.find_first_of("\r\n") == std::string::npos,
                       "a stored value holds a line end");
  // Behind a lone lead byte a quote counts as the character's second byte and stays.
  velmora::fuzz::Check(!velmora::IsValidGb18030(input) || value.find('"') == std::string::npos,
                       "a stored value holds a quote");
  if (velmora::StoredTextComesBack(input)) {
    velmora::fuzz::Check(velmora::DecodeStoredText(value) == input, "a text does not come back");
  }

  velmora::ComboState combo;
  std::size_t start = 0;
  while (start < input.size()) {
    std::size_t end = input.find('\n', start);
    if (end == std::string_view::npos) end = input.size();
    const std::string_view name = input.substr(start, end - start);
    if (PlainName(name)) combo.Add(name, static_cast<int>(name.size()) - 3);
    start = end + 1;
  }
  combo.SetSelection(static_cast<int>(size % 5) - 1);
  velmora::ComboState decoded;
  velmora::DecodeComboState(velmora::EncodeComboState(combo), decoded);
  velmora::fuzz::Check(decoded.Entries().size() == combo.Entries().size(), "entries lost");
  for (std::size_t i = 0; i < combo.Entries().size(); ++i) {
    velmora::fuzz::Check(decoded.Entries()[i].text == combo.Entries()[i].text &&
                             decoded.Entries()[i].value == combo.Entries()[i].value,
                         "an entry changed");
  }
  velmora::fuzz::Check(decoded.Selection() == combo.Selection(), "the selection changed");
  velmora::DecodeComboState(input, decoded);
  return 0;
}
