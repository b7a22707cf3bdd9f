#pragma once

// The codes the layout gives its controls and the logic relies on: the mark families of the
// numbered controls and the number of the visual style the program switches on.

#include <cstddef>
#include <string_view>

namespace velmora {

// A numbered control's mark is four bytes: its family code, then its number padded with zeros
// ("1012": Tag check box 12; "3002": Section title box 2). NumberFromMark (runtime/text_ops.h)
// reads the number back by dropping the first two bytes.
inline constexpr std::size_t kNumberedMarkLength = 4;
inline constexpr std::string_view kTagCheckBoxMarks = "10";
inline constexpr std::string_view kTagTitleBoxMarks = "20";
inline constexpr std::string_view kTagContentBoxMarks = "50";
inline constexpr std::string_view kSectionTitleBoxMarks = "300";
inline constexpr std::string_view kSectionFrameMarks = "400";
// The settings tab control's own mark; no number is read from it.
inline constexpr std::string_view kSettingsTabMark = "2012";

// The one look of the visual style that the program asks for at start.
inline constexpr int kProgramVisualStyle = 1;

}  // namespace velmora
