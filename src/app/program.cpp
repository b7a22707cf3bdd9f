#include "app/program.h"

#include <memory>
#include <string_view>

#include "app/document_export.h"
#include "app/open_folder.h"
#include "app/preset_commands.h"
#include "app/startup.h"
#include "app/tag_selection.h"
#include "app/time_difference.h"
#include "runtime/file_system.h"

namespace velmora {

struct Program::Impl {
  explicit Impl(const ProgramServices& services)
      : model(services.clock),
        context{.model = model,
                .dialogs = services.dialogs,
                .shell = services.shell,
                .window_preset_name = {},
                .lookup_window = {},
                .check_box_type_name = {}} {}

  ControlModel model;
  AppContext context;
};

namespace {

void BindHandlers(ControlModel& model, AppContext& app) {
  const auto bind = [&model, &app](HandlerId id, void (*command)(AppContext&)) {
    model.SetHandler(id, [&app, command](const EventContext&) { command(app); });
  };
  model.SetHandler(HandlerId::kStartupRoutine, [&app](const EventContext& event) {
    // `created` runs inside the load, before the load has handed out the window's identifier.
    app.main_window = event.window;
    StartupRoutine(app);
  });
  // Closing saves nothing.
  model.SetHandler(HandlerId::kMainWindowDestroyed, [](const EventContext&) {});
  model.SetHandler(HandlerId::kTagClicked,
                   [&app](const EventContext& event) { TagCheckBoxClicked(app, event.argument); });
  model.SetHandler(HandlerId::kSectionTitleChanged,
                   [&app](const EventContext& event) { MirrorSectionTitle(app, event.argument); });
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
  model.SetHandler(HandlerId::kComputeTimeDifference,
                   [&app](const EventContext& event) { ComputeTimeDifference(app, event.window); });
}

}  // namespace

Program::Program(std::string_view run_directory, const ProgramServices& services)
    : impl_(std::make_unique<Impl>(services)) {
  // Dropped: the front end prepared the folder and told of its failure already, and every path
  // is formed from the run directory, not from the current folder.
  static_cast<void>(SetRunDirectory(run_directory));
  impl_->model.SetObserver(services.observer);
  impl_->model.SetModalHost(&services.modal_host);
  BindHandlers(impl_->model, impl_->context);
  impl_->context.main_window = impl_->model.LoadWindow(WindowKind::kMain, false);
}

Program::~Program() = default;

ControlModel& Program::model() { return impl_->model; }
AppContext& Program::context() { return impl_->context; }
WindowId Program::main_window() const { return impl_->context.main_window; }
bool Program::Finished() const { return impl_->model.Finished(); }

}  // namespace velmora
