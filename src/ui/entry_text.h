#pragma once

// How a list entry shows in a row, the same in every front end.

#include <string>
#include <string_view>

namespace velmora {

// One line for a list entry, in UTF-8: each CR LF (or lone CR or LF) shows as a return symbol.
// Only the first characters are kept, more than a row can show, so that a long entry costs no
// more to lay out and paint than a short one.
inline constexpr int kListEntryShownCharacters = 256;
std::string ListEntryLine(std::string_view gbk);

}  // namespace velmora
