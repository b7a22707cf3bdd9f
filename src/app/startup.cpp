#include "app/startup.h"

#include "app/data_paths.h"
#include "app/failure_log.h"
#include "app/preset_files.h"
#include "app/preset_names.h"
#include "app/window_refresh.h"
#include "runtime/file_system.h"
#include "ui/control_names.h"
#include "ui/layout_codes.h"

namespace velmora {

void StartupRoutine(AppContext& app) {
  app.model.SetVisualStyle(kProgramVisualStyle);
  // Neither failure stops the start: the first save that needs the folder, or that meets the
  // file, tells the user; the cause goes to standard error now.
  if (!FileExists(DataFolderPath())) LogFailureCause("启动", MakeDirectory(DataFolderPath()));
  const std::string unnamed_preset_file = PresetFilePath("");
  if (FileExists(unnamed_preset_file)) LogFailureCause("启动", RemoveFile(unnamed_preset_file));
  if (FileExists(ConfigFilePath())) {
    LoadComboBoxes(app, ConfigFilePath());
    // One reading of the Preset file for both kinds of box.
    const ControlRef preset_box = app.MainControl(kPresetBoxName);
    if (const auto file = PresetFileOf(app.model.TextView(preset_box)))
      LoadPresetFile(app, ProfileSnapshot::Load(*file));
  }
  app.window_preset_name = app.model.TextView(app.MainControl(kPresetBoxName));
  app.lookup_window = app.MainWindowRef();
  app.check_box_type_name = TypeName(ControlType::kCheckBox);
  RefreshTags(app);
}

}  // namespace velmora
