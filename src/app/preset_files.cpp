#include "app/preset_files.h"

#include <string>
#include <vector>

#include "app/stored_text.h"
#include "runtime/profile_store.h"

namespace velmora {
namespace {

// Type names of the controls, which are also the section names of the files.
constexpr std::string_view kCheckBoxes = "选择框";
constexpr std::string_view kEditBoxes = "编辑框";
constexpr std::string_view kComboBoxes = "组合框";

std::vector<ControlRef> ControlsOfType(const AppContext& app, std::string_view type_name) {
  return app.model.FindControls(app.MainWindowRef(), {}, type_name);
}

void AddCheckBoxWrites(const AppContext& app, std::vector<ProfileWrite>& writes) {
  for (const ControlRef& box : ControlsOfType(app, kCheckBoxes)) {
    writes.push_back(
        {std::string(kCheckBoxes), app.model.Name(box), EncodeTick(app.model.Checked(box))});
  }
}

void AddEditBoxWrites(const AppContext& app, std::vector<ProfileWrite>& writes) {
  for (const ControlRef& box : ControlsOfType(app, kEditBoxes)) {
    ProfileWrite& write =
        writes.emplace_back(ProfileWrite{std::string(kEditBoxes), app.model.Name(box), {}});
    // A text that needs no encoding is written from the box itself: contents can run long.
    const std::string_view text = app.model.TextView(box);
    if (IsStoredAsItStands(text)) {
      write.borrowed_value = text;
    } else {
      write.value = EncodeStoredText(text);
    }
  }
}

}  // namespace

FileResult SaveCheckBoxes(AppContext& app, std::string_view file) {
  std::vector<ProfileWrite> writes;
  AddCheckBoxWrites(app, writes);
  return WriteProfileTexts(file, writes);
}

FileResult SaveEditBoxes(AppContext& app, std::string_view file) {
  std::vector<ProfileWrite> writes;
  AddEditBoxWrites(app, writes);
  return WriteProfileTexts(file, writes);
}

FileResult SaveComboBoxes(AppContext& app, std::string_view file) {
  return SaveComboBoxes(app, ProfileSnapshot::Load(file));
}

FileResult SaveComboBoxes(AppContext& app, ProfileSnapshot&& file) {
  std::vector<ProfileWrite> writes;
  for (const ControlRef& box : ControlsOfType(app, kComboBoxes)) {
    writes.push_back(
        {std::string(kComboBoxes), app.model.Name(box), EncodeComboState(app.model.Combo(box))});
  }
  return std::move(file).Write(writes);
}

FileResult SavePresetFile(AppContext& app, std::string_view file) {
  return SavePresetFile(app, ProfileSnapshot::Load(file));
}

FileResult SavePresetFile(AppContext& app, ProfileSnapshot&& file) {
  std::vector<ProfileWrite> writes;
  AddCheckBoxWrites(app, writes);
  AddEditBoxWrites(app, writes);
  return std::move(file).Write(writes);
}

void LoadCheckBoxes(AppContext& app, std::string_view file) {
  LoadCheckBoxes(app, ProfileSnapshot::Load(file));
}

void LoadEditBoxes(AppContext& app, std::string_view file) {
  LoadEditBoxes(app, ProfileSnapshot::Load(file));
}

void LoadPresetFile(AppContext& app, const ProfileSnapshot& file) {
  LoadCheckBoxes(app, file);
  LoadEditBoxes(app, file);
}

void LoadCheckBoxes(AppContext& app, const ProfileSnapshot& profile) {
  for (const ControlRef& box : ControlsOfType(app, kCheckBoxes)) {
    switch (DecodeTick(profile.ReadView(kCheckBoxes, app.model.Name(box)))) {
      case TickValue::kTicked:
        app.model.SetChecked(box, true);
        break;
      case TickValue::kUnticked:
        app.model.SetChecked(box, false);
        break;
      case TickValue::kUnchanged:
        break;
    }
  }
}

void LoadEditBoxes(AppContext& app, const ProfileSnapshot& profile) {
  for (const ControlRef& box : ControlsOfType(app, kEditBoxes)) {
    const std::string_view value = profile.ReadView(kEditBoxes, app.model.Name(box));
    if (!value.empty()) app.model.TakeText(box, DecodeStoredText(value));
  }
}

void LoadComboBoxes(AppContext& app, std::string_view file) {
  LoadComboBoxes(app, ProfileSnapshot::Load(file));
}

void LoadComboBoxes(AppContext& app, const ProfileSnapshot& profile) {
  for (const ControlRef& box : ControlsOfType(app, kComboBoxes)) {
    const std::string_view value = profile.ReadView(kComboBoxes, app.model.Name(box));
    if (value.empty()) continue;
    // A value that is not empty replaces the whole state, so the old one need not be copied.
    ComboState state;
    DecodeComboState(value, state);
    app.model.SetCombo(box, std::move(state));
  }
}

}  // namespace velmora
