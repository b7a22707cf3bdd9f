#pragma once

// The input box as a dialog template in memory (dialog units): a sunken frame around the
// prompt, a one-line edit field, and the buttons "确认输入(&O)" and "取消(&C)".

#include "win32/system_headers.h"

#include <vector>

namespace velmora {

inline constexpr int kInputBoxPromptId = 1128;
inline constexpr int kInputBoxEditId = 1001;

// DWORD-aligned words of a DLGTEMPLATE with its items, titled "请输入：".
std::vector<WORD> InputBoxTemplate();

}  // namespace velmora
