#pragma once

// The six persistence routines between the main window and one section of a profile file.
// A save writes the whole section in one atomic replacement of the file.

#include <string_view>

#include "app/app_context.h"

namespace velmora {

bool SaveCheckBoxes(AppContext& app, std::string_view file);
bool SaveEditBoxes(AppContext& app, std::string_view file);
bool SaveComboBoxes(AppContext& app, std::string_view file);
// Check boxes and edit boxes into one Preset file in a single replacement.
bool SavePresetFile(AppContext& app, std::string_view file);
void LoadCheckBoxes(AppContext& app, std::string_view file);
void LoadEditBoxes(AppContext& app, std::string_view file);
void LoadComboBoxes(AppContext& app, std::string_view file);

}  // namespace velmora
