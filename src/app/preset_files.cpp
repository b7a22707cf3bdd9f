#include "app/preset_files.h"

#include <string>
#include <vector>

#include "app/file_backup.h"
#include "app/message_boxes.h"
#include "app/stored_text.h"
#include "runtime/profile_store.h"
#include "runtime/text_ops.h"

namespace velmora {
namespace {

// Type names of the controls, which are also the section names of the files.
constexpr std::string_view kCheckBoxes = "选择框";
constexpr std::string_view kEditBoxes = "编辑框";
constexpr std::string_view kComboBoxes = "组合框";

// A file that holds something, but none of the sections the program keeps in it: random
// bytes, or another program's file. Reading finds nothing in it, and writing into it would mix
// the program's sections with what the user may still want.
bool Unrecognised(const ProfileSnapshot& file, std::initializer_list<std::string_view> sections) {
  if (!file.Readable() || file.Blank()) return false;
  for (const std::string_view section : sections) {
    if (file.HasSection(section)) return false;
  }
  return true;
}

bool UnrecognisedList(const ProfileSnapshot& file) { return Unrecognised(file, {kComboBoxes}); }

std::string_view FileName(std::string_view path) {
  const std::size_t separator = path.rfind('\\');
  return separator == std::string_view::npos ? path : path.substr(separator + 1);
}

void TellUnrecognised(AppContext& app, const ProfileSnapshot& file) {
  const std::string_view name = FileName(file.File());
  Tell(app, "读取失败",
       ConcatText({"文件“", name,
                   "”的内容无法识别，未能从中读取任何设置！保存时将把它原有的内容另存为“", name,
                   ".bak”。"}));
}

// Writes into the file as read; an unrecognised one first goes beside it as a backup and is
// then written afresh, so that its bytes stay whole and the new file holds the writes alone.
FileResult WriteKeepingUnrecognised(ProfileSnapshot&& file, bool unrecognised,
                                    const std::vector<ProfileWrite>& writes) {
  if (unrecognised) {
    if (FileResult kept = KeepBesideAsBackup(file.File(), file.Bytes()); !kept) return kept;
    file.StartAfresh();
  }
  return std::move(file).Write(writes);
}

}  // namespace

bool UnrecognisedPreset(const ProfileSnapshot& file) {
  return Unrecognised(file, {kCheckBoxes, kEditBoxes});
}

namespace {

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
  const bool unrecognised = UnrecognisedList(file);
  return WriteKeepingUnrecognised(std::move(file), unrecognised, writes);
}

FileResult SavePresetFile(AppContext& app, std::string_view file) {
  return SavePresetFile(app, ProfileSnapshot::Load(file));
}

FileResult SavePresetFile(AppContext& app, ProfileSnapshot&& file) {
  std::vector<ProfileWrite> writes;
  AddCheckBoxWrites(app, writes);
  AddEditBoxWrites(app, writes);
  const bool unrecognised = UnrecognisedPreset(file);
  return WriteKeepingUnrecognised(std::move(file), unrecognised, writes);
}

void LoadCheckBoxes(AppContext& app, std::string_view file) {
  LoadCheckBoxes(app, ProfileSnapshot::Load(file));
}

void LoadEditBoxes(AppContext& app, std::string_view file) {
  LoadEditBoxes(app, ProfileSnapshot::Load(file));
}

void LoadPresetFile(AppContext& app, const ProfileSnapshot& file) {
  if (UnrecognisedPreset(file)) TellUnrecognised(app, file);
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
  if (UnrecognisedList(profile)) TellUnrecognised(app, profile);
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
