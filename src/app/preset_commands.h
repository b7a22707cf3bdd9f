#pragma once

#include "app/app_context.h"

namespace velmora {

void ReadPreset(AppContext& app);
void AddPreset(AppContext& app);
void RenamePreset(AppContext& app);
void DeletePreset(AppContext& app);
void SavePreset(AppContext& app);
void PickPreset(AppContext& app);

}  // namespace velmora
