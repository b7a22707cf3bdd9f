#pragma once

// Why a failure happened, for the user's report: the cause a runtime operation gave goes to one
// line on standard error, in the desktop program and in velmora-script alike, while the message
// box keeps its own text. The line is UTF-8, the program's name, the failure's title (the
// message box's) and the cause:
//   velmora: 保存失败: cannot replace /home/u/Velmora/Data/周报.ini: No space left on device

#include <string_view>

#include "runtime/file_result.h"

namespace velmora {

// Writes the line for a failure; a success has nothing to tell and writes nothing.
void LogFailureCause(std::string_view title, const FileResult& failure);

}  // namespace velmora
