#pragma once

// Copying the main window's check boxes, edit boxes and combo boxes to and from one section of
// a profile file each: a Save and a Load routine per kind of box, named by kind. A save writes
// its whole section in one atomic replacement of the file. The commands use the Preset-file
// forms, which take both kinds of box of a Preset file in one reading or one replacement, and
// the snapshot forms, which work on a file the command has read already.

#include <string_view>

#include "app/app_context.h"
#include "runtime/profile_store.h"

namespace velmora {

FileResult SaveCheckBoxes(AppContext& app, std::string_view file);
FileResult SaveEditBoxes(AppContext& app, std::string_view file);
FileResult SaveComboBoxes(AppContext& app, std::string_view file);
// Check boxes and edit boxes into one Preset file in a single replacement.
FileResult SavePresetFile(AppContext& app, std::string_view file);
// The snapshot forms write into the file as it was read, without reading it again.
FileResult SavePresetFile(AppContext& app, ProfileSnapshot&& file);
void LoadCheckBoxes(AppContext& app, std::string_view file);
void LoadEditBoxes(AppContext& app, std::string_view file);
void LoadComboBoxes(AppContext& app, std::string_view file);
FileResult SaveComboBoxes(AppContext& app, ProfileSnapshot&& file);
void LoadComboBoxes(AppContext& app, const ProfileSnapshot& file);
void LoadCheckBoxes(AppContext& app, const ProfileSnapshot& file);
void LoadEditBoxes(AppContext& app, const ProfileSnapshot& file);
// A Preset file that holds something but no section of the program's: reading it tells the
// user so, and a save first keeps its bytes beside it as "<file>.bak" and then writes it afresh.
// config.ini is treated alike for its Preset list.
bool UnrecognisedPreset(const ProfileSnapshot& file);
// LoadCheckBoxes, then LoadEditBoxes, from one reading of a Preset file.
void LoadPresetFile(AppContext& app, const ProfileSnapshot& file);

}  // namespace velmora
