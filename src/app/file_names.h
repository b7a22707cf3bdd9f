#pragma once

#include <string_view>

namespace velmora {

// Whether a GBK name (valid GB18030) can stand as a file name in a folder on every desktop the program runs on:
// not empty, not "." or "..", none of \ / : * ? " < > | nor control characters, and not ending
// in a blank or a dot (Windows would drop those silently and write another name).
bool IsUsableFileName(std::string_view name);

}  // namespace velmora
