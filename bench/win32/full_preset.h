#pragma once

#include <filesystem>

namespace velmora {

// The Preset our users keep (the one bench/gui uses), in the Data folder of program_folder:
// 39 Tags titled, ticked and filled with about 10 KB of GBK text each.
void WriteFullPreset(const std::filesystem::path& program_folder);

}  // namespace velmora
