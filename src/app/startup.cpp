#include "app/startup.h"

#include <optional>
#include <string>
#include <vector>

#include "app/failure_log.h"
#include "app/preset_files.h"
#include "app/preset_names.h"
#include "runtime/file_system.h"
#include "runtime/path_join.h"
#include "runtime/text_ops.h"
#include "ui/control_names.h"
#include "ui/layout_codes.h"

namespace velmora {
namespace {

// The first control of the list whose mark carries that number.
std::optional<ControlRef> FirstWithNumber(const ControlModel& model,
                                          const std::vector<ControlRef>& controls, int number) {
  for (const ControlRef& control : controls) {
    if (NumberFromMark(model.Mark(control)) == number) return control;
  }
  return std::nullopt;
}

void EmptyTexts(AppContext& app, std::string_view pattern) {
  for (const ControlRef& box :
       app.model.FindControls(app.MainWindowRef(), pattern, TypeName(ControlType::kEditBox))) {
    app.model.SetText(box, "");
  }
}

std::string DefaultSectionTitle(int section) {
  switch (section) {
    case 1:
      return "版块一";
    case 2:
      return "版块二";
    case 3:
      return "版块三";
    default:
      return "";
  }
}

}  // namespace

std::string DataFolderPath() { return JoinPath(RunDirectory(), "Data"); }

std::string ConfigFilePath() { return JoinPath(DataFolderPath(), "config.ini"); }

std::string PresetFilePath(std::string_view name) {
  return JoinPath(DataFolderPath(), ConcatText({name, ".ini"}));
}

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

void RefreshTags(AppContext& app) {
  ControlModel& model = app.model;
  const ControlRef window = app.MainWindowRef();
  const std::string& edit_box = TypeName(ControlType::kEditBox);
  const auto check_boxes =
      model.FindControls(window, kTagCheckBoxPrefix, TypeName(ControlType::kCheckBox));
  const auto title_boxes = model.FindControls(window, kTagTitleBoxPrefix, edit_box);
  const auto content_boxes = model.FindControls(window, kTagContentBoxPrefix, edit_box);
  // The list is built aside and set in one step, so that a view redraws only what differs.
  std::vector<std::string> ticked;
  for (const ControlRef& check_box : check_boxes) {
    const int tag = NumberFromMark(model.Mark(check_box));
    const auto title_box = FirstWithNumber(model, title_boxes, tag);
    if (!title_box) continue;
    const std::string title = model.Text(*title_box);
    model.SetCaption(check_box, title);
    if (title.empty()) {
      model.SetVisible(check_box, false);
      continue;
    }
    const auto content_box = FirstWithNumber(model, content_boxes, tag);
    if (!content_box) continue;
    model.SetVisible(check_box, true);
    if (model.Checked(check_box)) ticked.push_back(model.Text(*content_box));
  }
  model.SetItems(app.MainControl(kTagListName), std::move(ticked));
  RefreshSectionTitles(app);
}

void RefreshSectionTitles(AppContext& app) {
  ControlModel& model = app.model;
  const ControlRef window = app.MainWindowRef();
  const auto group_boxes =
      model.FindControls(window, kSectionFramePrefix, TypeName(ControlType::kGroupBox));
  const auto title_boxes =
      model.FindControls(window, kSectionTitleBoxPrefix, TypeName(ControlType::kEditBox));
  for (const ControlRef& group_box : group_boxes) {
    const int section = NumberFromMark(model.Mark(group_box));
    const auto title_box = FirstWithNumber(model, title_boxes, section);
    if (!title_box) continue;
    const std::string title = model.Text(*title_box);
    model.SetCaption(group_box, title.empty() ? DefaultSectionTitle(section) : title);
  }
}

void UntickAllTags(AppContext& app) {
  for (const ControlRef& box : app.model.FindControls(app.MainWindowRef(), kTagControlsPrefix,
                                                      TypeName(ControlType::kCheckBox))) {
    app.model.SetChecked(box, false);
  }
  app.model.ClearItems(app.MainControl(kTagListName));
}

void EmptyTagTexts(AppContext& app) { EmptyTexts(app, kTagControlsPrefix); }

void EmptySectionTitles(AppContext& app) { EmptyTexts(app, kSectionTitleBoxPrefix); }

void ClearWindow(AppContext& app) {
  UntickAllTags(app);  // empties the list as well
  EmptyTagTexts(app);
  EmptySectionTitles(app);
  RefreshTags(app);
}

}  // namespace velmora
