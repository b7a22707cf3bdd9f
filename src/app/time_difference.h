#pragma once

#include "app/app_context.h"

namespace velmora {

void OpenTimeDifference(AppContext& app);
// window: the time-difference window whose button raised it.
void ComputeTimeDifference(AppContext& app, WindowId window);

}  // namespace velmora
