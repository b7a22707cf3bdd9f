#include "app/tag_selection.h"

#include <string>

#include "app/message_boxes.h"
#include "app/window_clearing.h"
#include "app/window_refresh.h"
#include "ui/control_names.h"

namespace velmora {
namespace {

// Place numbers of the one runtime check here: the first is 1500 plus the Tag number, so
// each of the 39 commands has its own pair.
constexpr int kTagCommandPlace = 1500;
constexpr int kTagCheckBoxStep = 2;

}  // namespace

void TagCheckBoxClicked(AppContext& app, int tag_number) {
  ControlModel& model = app.model;
  const std::string content = model.Text(app.MainControl(TagContentBoxName(tag_number)));
  const auto found = model.FindControls(app.lookup_window, "@" + TagCheckBoxName(tag_number),
                                        app.check_box_type_name);
  const ControlRef check_box = RequireType(ControlAt(found, 0), ControlType::kCheckBox,
                                           kTagCommandPlace + tag_number, kTagCheckBoxStep);
  const ControlRef list = app.MainControl(kTagListName);
  if (model.Checked(check_box)) {
    model.AddItem(list, content);
    return;
  }
  const int entry = model.FindItem(list, content);
  if (entry != -1) model.DeleteItem(list, entry);
}

void MirrorSectionTitle(AppContext& app, int section_number) {
  const std::string title = app.model.Text(app.MainControl(SectionTitleBoxName(section_number)));
  if (!title.empty()) {
    app.model.SetCaption(app.MainControl(SectionFrameName(section_number)), title);
  }
}

void ToggleNumbering(AppContext& app) {
  const ControlRef box = app.MainControl(kNumberingBoxName);
  const bool numbered = app.model.Checked(box);
  app.model.SetCaption(box, numbered ? "序号导出" : "无序导出");
  app.numbering_flag = numbered ? 1 : 0;
}

void ClearAll(AppContext& app) {
  if (!Confirm(app, "全部清空", "请谨慎选择，点击确认将清空全部选择及设置。")) return;
  ClearWindow(app);
}

void ClearSections(AppContext& app) {
  if (!Confirm(app, "清空版块", "点击确认将清空所有版块标题。!")) return;
  EmptySectionTitles(app);
  RefreshSectionTitles(app);
}

void ClearSelection(AppContext& app) {
  if (!Confirm(app, "清空选择", "点击确认将清空全部已选选项。")) return;
  UntickAllTags(app);
  RefreshTags(app);
}

void ClearSettings(AppContext& app) {
  if (!Confirm(app, "清空设置", "点击确认将清空编辑框内全部预设内容!")) return;
  EmptyTagTexts(app);
  RefreshTags(app);
}

}  // namespace velmora
