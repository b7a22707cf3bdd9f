#pragma once

#include <string_view>

namespace velmora {

// Whether a GBK name (valid GB18030) can serve as a file name in a folder on every desktop the
// program runs on: not empty, not "." or "..", none of \ / : * ? " < > | nor control characters,
// not ending in a blank or a dot (Windows would drop those silently and write another name), and
// not a Windows device name such as "NUL.docx" or "com1.ini".
bool IsUsableFileName(std::string_view name);

// Whether a name is the given lower-case ASCII name, without regard to the case of its letters,
// as Windows compares file names.
bool FileNameIs(std::string_view name, std::string_view lower_ascii);

}  // namespace velmora
