#pragma once

#include "app/app_context.h"

namespace velmora {

void UntickAllTags(AppContext& app);
void EmptyTagTexts(AppContext& app);
void EmptySectionTitles(AppContext& app);
void ClearWindow(AppContext& app);

}  // namespace velmora
