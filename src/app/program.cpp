#include "app/program.h"

#include <memory>
#include <string_view>

#include "app/document_export.h"
#include "app/open_folder.h"
#include "app/preset_commands.h"
#include "app/startup.h"
#include "app/tag_selection.h"
#include "app/time_difference.h"
#include "runtime/fatal_error.h"
#include "runtime/file_system.h"

namespace velmora {

struct Program::Impl {
  explicit Impl(const ProgramServices& services) : model(services.clock) {}

  ControlModel model;
  // Shared with the exit routine, which may run after the program object is gone.
  std::shared_ptr<AppContext> context;
};

namespace {

void BindHandlers(ControlModel& model, AppContext& app) {
  const auto bind = [&model, &app](HandlerId id, void (*command)(AppContext&)) {
    model.SetHandler(id, [&app, command](int) { command(app); });
  };
  model.SetHandler(HandlerId::kStartupRoutine, [&app](int) {
    // `created` runs inside the load, before the load has handed out the window's identifier.
    if (app.main_window == 0) app.main_window = app.model.ActiveWindow();
    StartupRoutine(app);
  });
  // Closing saves nothing.
  model.SetHandler(HandlerId::kMainWindowDestroyed, [](int) {});
  model.SetHandler(HandlerId::kTagClicked, [&app](int tag) { TagCheckBoxClicked(app, tag); });
  model.SetHandler(HandlerId::kSectionTitleChanged,
                   [&app](int section) { MirrorSectionTitle(app, section); });
  bind(HandlerId::kNumberingToggle, ToggleNumbering);
  bind(HandlerId::kClearAll, ClearAll);
  bind(HandlerId::kClearSelection, ClearSelection);
  bind(HandlerId::kClearSettings, ClearSettings);
  bind(HandlerId::kClearSections, ClearSections);
  bind(HandlerId::kReadPreset, ReadPreset);
  bind(HandlerId::kAddPreset, AddPreset);
  bind(HandlerId::kRenamePreset, RenamePreset);
  bind(HandlerId::kDeletePreset, DeletePreset);
  bind(HandlerId::kSavePreset, SavePreset);
  bind(HandlerId::kPickPreset, PickPreset);
  bind(HandlerId::kExportDocument, ExportDocument);
  bind(HandlerId::kOpenFolder, OpenFolder);
  bind(HandlerId::kOpenTimeDifference, OpenTimeDifference);
  bind(HandlerId::kComputeTimeDifference, ComputeTimeDifference);
}

}  // namespace

Program::Program(std::string_view run_directory, const ProgramServices& services)
    : impl_(std::make_unique<Impl>(services)) {
  // Dropped: the front end prepared the folder and told of its failure already, and every path
  // is formed from the run directory, not from the current folder.
  static_cast<void>(SetRunDirectory(run_directory));
  impl_->context = std::make_shared<AppContext>(AppContext{.model = impl_->model,
                                                           .dialogs = services.dialogs,
                                                           .shell = services.shell,
                                                           .current_preset_name = {},
                                                           .window_preset_name = {},
                                                           .lookup_window = {},
                                                           .check_box_type_name = {}});
  RegisterExitRoutine([weak = std::weak_ptr<AppContext>(impl_->context)] {
    if (const auto app = weak.lock()) {
      app->current_preset_name.clear();
      app->check_box_type_name.clear();
    }
  });
  impl_->model.SetObserver(services.observer);
  impl_->model.SetModalHost(&services.modal_host);
  BindHandlers(impl_->model, *impl_->context);
  const WindowId main = impl_->model.LoadWindow(WindowKind::kMain, false);
  if (main == 0) {
    // The main window's layout entry has an empty mark, which the report shows twice.
    FaultPlace place;
    place.names_window = true;
    place.window_found = true;
    place.control_found = true;
    ReportFatalText("载入启动窗口失败", place);
  }
  impl_->context->main_window = main;
}

Program::~Program() = default;

ControlModel& Program::model() { return impl_->model; }
AppContext& Program::context() { return *impl_->context; }
WindowId Program::main_window() const { return impl_->context->main_window; }
bool Program::Finished() const { return impl_->model.Finished(); }
int Program::ExitCode() const { return impl_->model.ExitCode(); }

}  // namespace velmora
