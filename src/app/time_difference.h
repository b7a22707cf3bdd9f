#pragma once

#include "app/app_context.h"

namespace velmora {

void OpenTimeDifference(AppContext& app);
void ComputeTimeDifference(AppContext& app);

}  // namespace velmora
