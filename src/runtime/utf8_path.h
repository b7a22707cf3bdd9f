#pragma once

// Paths between UTF-8 texts and std::filesystem. A path made from a plain std::string would
// read it in the ANSI code page on Windows; these read and give UTF-8 on every platform.

#include <filesystem>
#include <string>
#include <string_view>

namespace velmora {

inline std::filesystem::path PathFromUtf8(std::string_view utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.u8string();
  return std::string(text.begin(), text.end());
}

inline std::string GenericUtf8FromPath(const std::filesystem::path& path) {
  const std::u8string text = path.generic_u8string();
  return std::string(text.begin(), text.end());
}

}  // namespace velmora
