#pragma once

#include "app/app_context.h"

namespace velmora {

void StartupRoutine(AppContext& app);

}  // namespace velmora
