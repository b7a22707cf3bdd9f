#pragma once

// One profile line per stored setting: edit-box texts, tick states and combo-box states.

#include <string>
#include <string_view>

#include "ui/combo_state.h"

namespace velmora {

std::string EncodeStoredText(std::string_view text);
std::string DecodeStoredText(std::string_view value);
std::string EncodeTick(bool ticked);  // "真" or "假"
enum class TickValue { kUnchanged, kTicked, kUnticked };
TickValue DecodeTick(std::string_view value);  // empty: unchanged; "假": unticked; else ticked
std::string EncodeComboState(const ComboState& combo);
void DecodeComboState(std::string_view value, ComboState& combo);  // empty: unchanged
std::string TextBeforeSeparator(std::string_view text, std::string_view separator);
std::string TextAfterSeparator(std::string_view text, std::string_view separator);

}  // namespace velmora
