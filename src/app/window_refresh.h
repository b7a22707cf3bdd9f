#pragma once

#include "app/app_context.h"

namespace velmora {

void RefreshTags(AppContext& app);
void RefreshSectionTitles(AppContext& app);

}  // namespace velmora
