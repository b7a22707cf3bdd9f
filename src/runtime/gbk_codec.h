#pragma once

// Conversion between the system's GBK texts and UTF-8 at the edges (windows, Linux file names,
// document XML). Conversion goes through GB18030, which equals GBK for every GBK character and
// covers all of Unicode, so no character a user types is lost. The codec is the same on every
// platform: tables taken once from glibc's converter (tools/gb18030_tables), since code page
// 936 on Windows has no four-byte forms.

#include <functional>
#include <string>
#include <string_view>

namespace velmora {

// Bytes that are not valid GB18030 become U+FFFD, except a lone 0x80: code page 936's euro sign.
std::string GbkToUtf8(std::string_view gbk);
// Same, but each invalid byte becomes what on_invalid_byte returns (the transcript's \xHH).
std::string GbkToUtf8(std::string_view gbk,
                      const std::function<std::string(unsigned char)>& on_invalid_byte);
// Invalid UTF-8 sequences become U+FFFD before conversion; never fails.
std::string Utf8ToGbk(std::string_view utf8);
bool IsValidGb18030(std::string_view bytes);
// Well-formed UTF-8 throughout: no overlong form, no surrogate, nothing above U+10FFFF.
bool IsValidUtf8(std::string_view bytes);

}  // namespace velmora
