#pragma once

// Texts cross between the model (GBK) and the wide system calls (UTF-16) only here, always
// through GB18030, so that nothing typed is lost.

#include "win32/system_headers.h"

#include <string>
#include <string_view>

namespace velmora {

std::wstring Wide(std::string_view gbk);
std::wstring WideFromUtf8(std::string_view utf8);
std::string Utf8FromWide(std::wstring_view text);
std::string Narrow(std::wstring_view text);  // GBK

// The whole text of a window (caption or edit box contents), GBK.
std::string WindowTextOf(HWND window);

}  // namespace velmora
