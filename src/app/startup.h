#pragma once

#include <string>
#include <string_view>

#include "app/app_context.h"

namespace velmora {

std::string DataFolderPath();                       // run directory + "\Data"
std::string ConfigFilePath();                       // run directory + "\Data\config.ini"
std::string PresetFilePath(std::string_view name);  // run directory + "\Data\" + name + ".ini"

void StartupRoutine(AppContext& app);
void RefreshTags(AppContext& app);
void RefreshSectionTitles(AppContext& app);
void UntickAllTags(AppContext& app);
void EmptyTagTexts(AppContext& app);
void EmptySectionTitles(AppContext& app);
void ClearWindow(AppContext& app);

}  // namespace velmora
