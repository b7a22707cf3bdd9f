#include "app/open_folder.h"

#include "runtime/file_system.h"

namespace velmora {

void OpenFolder(AppContext& app) { app.shell.ShowFolder(RunDirectory()); }

}  // namespace velmora
