#pragma once

// UTF-8 one character at a time, for the converters between the system's GBK texts and the
// Unicode forms of windows, files and documents.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// The character of the well-formed UTF-8 sequence at the start of bytes (no overlong form, no
// surrogate, nothing above U+10FFFF) and in used the number of bytes it takes; nothing, with
// used untouched, when the bytes there are not one. bytes is not empty.
std::optional<char32_t> DecodeUtf8(std::string_view bytes, std::size_t& used);
// Appends code, a Unicode scalar value, in UTF-8.
void AppendUtf8(char32_t code, std::string& out);

}  // namespace velmora
