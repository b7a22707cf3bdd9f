#pragma once

// One profile line per stored setting: edit-box texts, tick states and combo-box states.

#include <string>
#include <string_view>

#include "ui/combo_state.h"

namespace velmora {

std::string EncodeStoredText(std::string_view text);
// Whether EncodeStoredText gives the text back unchanged.
bool IsStoredAsItStands(std::string_view text);
std::string DecodeStoredText(std::string_view value);
// Whether a text reads back unchanged from its stored value. Not so for a text holding a
// marker itself, a lone CR or LF, or a NUL; the empty text leaves a box as it is.
bool StoredTextComesBack(std::string_view text);
std::string EncodeTick(bool ticked);  // "真" or "假"
enum class TickValue { kUnchanged, kTicked, kUnticked };
TickValue DecodeTick(std::string_view value);  // empty: unchanged; "假": unticked; else ticked
std::string EncodeComboState(const ComboState& combo);
void DecodeComboState(std::string_view value, ComboState& combo);  // empty: unchanged
// A lead byte followed by a byte that cannot end a character counts as a character of its own here,
// so that a separator behind it is found.
std::string TextBeforeSeparator(std::string_view text, std::string_view separator);
std::string TextAfterSeparator(std::string_view text, std::string_view separator);

}  // namespace velmora
