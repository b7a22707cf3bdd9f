#pragma once

#include "app/app_context.h"

namespace velmora {

void OpenFolder(AppContext& app);

}  // namespace velmora
