#pragma once

// Which names can stand for a Preset, and which file a Preset name stands for.

#include <optional>
#include <string>
#include <string_view>

namespace velmora {

// A name the user may give a Preset: a usable file name on Windows and on Linux that also
// survives the stored Preset list of config.ini unchanged. The empty name is not usable.
bool IsUsablePresetName(std::string_view name);

// The Preset file of a name, or none when the name cannot name a file right in the Data folder
// (a name from a hand-edited or older config.ini). The empty name stands for "\Data\.ini".
std::optional<std::string> PresetFileOf(std::string_view name);

}  // namespace velmora
