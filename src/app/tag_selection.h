#pragma once

#include "app/app_context.h"

namespace velmora {

void TagCheckBoxClicked(AppContext& app, int tag_number);
void MirrorSectionTitle(AppContext& app, int section_number);
void ToggleNumbering(AppContext& app);
void ClearAll(AppContext& app);
void ClearSections(AppContext& app);
void ClearSelection(AppContext& app);
void ClearSettings(AppContext& app);

}  // namespace velmora
