#include "app/preset_commands.h"

#include <optional>
#include <string>

#include "app/data_paths.h"
#include "app/file_backup.h"
#include "app/message_boxes.h"
#include "app/preset_files.h"
#include "app/preset_names.h"
#include "app/stored_text.h"
#include "app/window_clearing.h"
#include "app/window_refresh.h"
#include "runtime/file_system.h"
#include "runtime/profile_store.h"
#include "runtime/text_ops.h"
#include "ui/control_names.h"

namespace velmora {
namespace {

constexpr std::string_view kBadNameText =
    "预设名称不能含有 \\ / : * ? \" < > | 、控制字符或“#引号”，不能为“.”、“..”、“config”"
    "或 CON、NUL 等设备名，首尾不能是空格，也不能过长！";

ControlRef PresetBox(const AppContext& app) { return app.MainControl(kPresetBoxName); }

std::string PresetBoxText(const AppContext& app) { return app.model.Text(PresetBox(app)); }

// Loads a Preset into the window, which from then on holds that Preset's settings.
void LoadPreset(AppContext& app, std::string_view name) {
  if (const auto file = PresetFileOf(name)) LoadPresetFile(app, ProfileSnapshot::Load(*file));
  app.window_preset_name = std::string(name);
}

// Selects the first entry of that name.
void SelectEntry(AppContext& app, std::string_view name) {
  const ControlRef box = PresetBox(app);
  app.model.SetSelection(box, app.model.FindItem(box, name));
}

// The Preset file and config.ini, or neither: when config.ini cannot be written, the Preset
// file gets its old bytes back.
FileResult SavePresetAndList(AppContext& app, std::string_view file) {
  ProfileSnapshot preset = ProfileSnapshot::Load(file);
  const FileBackup backup(file, preset);
  if (FileResult saved = SavePresetFile(app, std::move(preset)); !saved) return saved;
  FileResult listed = SaveComboBoxes(app, ConfigFilePath());
  if (listed) return listed;
  return FailureAfterUndo(std::move(listed), backup.Restore());
}

// Stores the Preset list in config.ini; when it cannot be stored, the list is put back as it
// was before the command changed it.
FileResult StoreListOrPutBack(AppContext& app, const ComboState& list_before) {
  FileResult stored = SaveComboBoxes(app, ConfigFilePath());
  if (!stored) app.model.SetCombo(PresetBox(app), list_before);
  return stored;
}

// The Preset that SavePreset writes into: the one whose settings the window holds, as long as
// the list still has it.
std::string SaveTarget(const AppContext& app) {
  const std::string shown = PresetBoxText(app);
  if (!shown.empty() && app.model.FindItem(PresetBox(app), app.window_preset_name) != -1)
    return app.window_preset_name;
  return shown;
}

// How the user knows an edit box: by what it holds on the settings page.
std::string BoxDescription(const AppContext& app, const ControlRef& box) {
  const std::string name = app.model.Name(box);
  const int number = NumberFromMark(app.model.Mark(box));
  const std::string shown = ToText(number);
  if (name == TagTitleBoxName(number)) return ConcatText({"第", shown, "个标签的标题"});
  if (name == TagContentBoxName(number)) return ConcatText({"第", shown, "个标签的内容"});
  if (name == SectionTitleBoxName(number)) return ConcatText({"第", shown, "个版块的标题"});
  if (name == kDocumentTitleBoxName) return "文档标题";
  return name;
}

// The edit boxes whose text would not read back as typed, joined for a message.
std::string BoxesNotKeptAsTyped(const AppContext& app) {
  std::string boxes;
  for (const ControlRef& box :
       app.model.FindControls(app.MainWindowRef(), {}, TypeName(ControlType::kEditBox))) {
    if (StoredTextComesBack(app.model.Text(box))) continue;
    if (!boxes.empty()) boxes += "、";
    boxes += BoxDescription(app, box);
  }
  return boxes;
}

}  // namespace

void ReadPreset(AppContext& app) {
  ClearWindow(app);
  // Assigned from a view, so that a long name reuses the buffer of the one it replaces.
  app.window_preset_name = app.model.TextView(PresetBox(app));
  const auto file = PresetFileOf(app.window_preset_name);
  std::optional<ProfileSnapshot> preset;
  if (file) {
    preset = ProfileSnapshot::Load(*file);
    LoadPresetFile(app, *preset);
  }
  ProfileSnapshot config = ProfileSnapshot::Load(ConfigFilePath());
  LoadComboBoxes(app, config);
  // The write-back goes to the file just read: adding, renaming and deleting move the
  // selection away from the Preset last picked, and writing to that one would overwrite it
  // with another Preset's settings.
  FileResult preset_stored =
      preset ? SavePresetFile(app, std::move(*preset)) : FileResult::Success();
  const FileResult stored =
      FirstFailure(std::move(preset_stored), SaveComboBoxes(app, std::move(config)));
  RefreshTags(app);
  // Nothing is lost: the window holds what the files hold. But the user should know that the
  // files were not brought up to date.
  if (!stored)
    TellFailure(app, "保存失败", "保存失败，无法写入Data文件夹，读取的预设未能写回！", stored);
}

void AddPreset(AppContext& app) {
  std::string name;
  if (!app.dialogs.InputBox("请输入预设名称：", "增加预设", name)) name.clear();
  const ControlRef box = PresetBox(app);
  if (name.empty() || app.model.FindItem(box, name) != -1) {
    Tell(app, "增加预设", "不能增加与已有选项重复或为空值的名称！");
    return;
  }
  if (!IsUsablePresetName(name)) {
    Tell(app, "增加预设", kBadNameText);
    return;
  }
  // The list is stored before the window is cleared: when it cannot be, the entry is taken
  // back and the window keeps what the user had in it.
  const ComboState list_before = app.model.Combo(box);
  app.model.AddItem(box, name, 0);
  SelectEntry(app, name);
  if (const FileResult stored = StoreListOrPutBack(app, list_before); !stored) {
    TellFailure(app, "增加失败", "增加失败，无法写入Data文件夹！", stored);
    return;
  }
  ClearWindow(app);
  app.window_preset_name = name;
  // A file of that name may be there already: copied in by hand, or left without an entry.
  // The window takes its settings, so that the next save does not overwrite them unread.
  std::optional<ProfileSnapshot> existing;
  if (const auto file = PresetFileOf(name)) existing = ProfileSnapshot::Load(*file);
  const bool found = existing && existing->Readable();
  if (found) LoadPresetFile(app, *existing);
  RefreshTags(app);
  if (found && !UnrecognisedPreset(*existing)) {
    Tell(app, "增加预设", ConcatText({"已存在名为“", name, "”的预设文件，已读取其中的设置。"}));
  }
}

void RenamePreset(AppContext& app) {
  if (!Confirm(app, "预设改名", "确定要修改当前预设名称？可通过再次修改来恢复。")) return;
  std::string new_name;
  if (!app.dialogs.InputBox("请输入新的预设名称：", "预设改名", new_name) || new_name.empty()) {
    return;
  }
  if (!IsUsablePresetName(new_name)) {
    Tell(app, "预设改名", kBadNameText);
    return;
  }
  const ControlRef box = PresetBox(app);
  const std::string old_name = PresetBoxText(app);
  // Renaming to the name it has already changes nothing but the entry's place.
  const bool same_name = new_name == old_name;
  if (!same_name && app.model.FindItem(box, new_name) != -1) {
    Tell(app, "预设改名", "不能改为与已有选项重复的名称！");
    return;
  }
  const auto old_file = PresetFileOf(old_name);
  const std::string new_file = PresetFilePath(new_name);
  const bool moving = !same_name && old_file && FileExists(*old_file);
  if (moving && FileExists(new_file)) {
    Tell(app, "改名失败", "改名失败，已存在同名的预设文件！");
    return;
  }
  if (moving) {
    if (const FileResult moved = RenameFile(*old_file, new_file); !moved) {
      TellFailure(app, "改名失败", "改名失败，无法移动预设文件！", moved);
      return;
    }
  }
  const ComboState list_before = app.model.Combo(box);
  app.model.AddItem(box, new_name, 0);
  app.model.DeleteItem(box, app.model.FindItem(box, old_name));
  SelectEntry(app, new_name);
  if (FileResult stored = StoreListOrPutBack(app, list_before); !stored) {
    if (moving) stored = FailureAfterUndo(std::move(stored), RenameFile(new_file, *old_file));
    TellFailure(app, "改名失败", "改名失败，无法写入Data文件夹！", stored);
    return;
  }
  ClearWindow(app);
  LoadPreset(app, new_name);
  RefreshTags(app);
  Tell(app, "改名成功", "预设选项改名成功！");
}

void DeletePreset(AppContext& app) {
  if (!Confirm(app, "删除预设", "是否要删除该预设配置项？删除后将无法恢复！")) return;
  const ControlRef box = PresetBox(app);
  const std::string name = PresetBoxText(app);
  if (name.empty()) {
    Tell(app, "删除预设", "未选中或已无预设配置项可删除！");
    return;
  }
  const ComboState list_before = app.model.Combo(box);
  app.model.DeleteItem(box, app.model.FindItem(box, name));
  app.model.SetSelection(box, 0);
  const FileBackup config_before(ConfigFilePath());
  if (const FileResult stored = StoreListOrPutBack(app, list_before); !stored) {
    TellFailure(app, "删除失败", "删除失败，无法写入Data文件夹！", stored);
    return;
  }
  if (const auto file = PresetFileOf(name); file && FileExists(*file)) {
    if (FileResult removed = RemoveFile(*file); !removed) {
      app.model.SetCombo(box, list_before);
      removed = FailureAfterUndo(std::move(removed), config_before.Restore());
      TellFailure(app, "删除失败", "删除失败，无法删除预设文件！", removed);
      return;
    }
  }
  ClearWindow(app);
  LoadPreset(app, app.model.ItemText(box, 0));
  RefreshTags(app);
  Tell(app, "删除成功", "预设配置删除成功！");
}

void SavePreset(AppContext& app) {
  const std::string name = SaveTarget(app);
  if (name.empty()) {
    Tell(app, "保存失败", "保存失败，预设名称不能为空！");
  } else if (Confirm(app, "保存设置", "点确定保存现有配置。")) {
    const auto file = PresetFileOf(name);
    if (!file) {
      Tell(app, "保存失败", "保存失败，该预设名称不能用作文件名！");
    } else if (const FileResult saved = SavePresetAndList(app, *file); !saved) {
      TellFailure(app, "保存失败", "保存失败，无法写入Data文件夹！", saved);
    } else {
      Tell(app, "保存成功", "预设配置保存成功！");
      // The stored-text rules are shared with every other reader of these files and stay;
      // the user learns which texts they will change.
      if (const std::string boxes = BoxesNotKeptAsTyped(app); !boxes.empty()) {
        Tell(app, "保存提示",
             ConcatText({"以下内容含有“><br><”、“#引号”或单独的回车、换行，"
                         "已保存，但读取后将与输入的不同：",
                         boxes}));
      }
    }
  }
  RefreshTags(app);
}

void PickPreset(AppContext& app) {
  const std::string picked = PresetBoxText(app);
  const FileResult stored = SaveComboBoxes(app, ConfigFilePath());
  if (stored) {
    app.window_preset_name = picked;
    return;
  }
  // The selection goes back to the one stored, so that the window and config.ini agree.
  SelectEntry(app, app.window_preset_name);
  LoadComboBoxes(app, ConfigFilePath());
  TellFailure(app, "保存失败", "保存失败，无法写入Data文件夹，预设选择未能保存！", stored);
}

}  // namespace velmora
