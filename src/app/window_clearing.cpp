#include "app/window_clearing.h"

#include <string_view>

#include "app/window_refresh.h"
#include "ui/control_names.h"

namespace velmora {
namespace {

void EmptyTexts(AppContext& app, std::string_view pattern) {
  for (const ControlRef& box :
       app.model.FindControls(app.MainWindowRef(), pattern, TypeName(ControlType::kEditBox))) {
    app.model.SetText(box, "");
  }
}

}  // namespace

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
