#include "full_preset.h"

#include <cstdio>
#include <string>

// The literals of this file are GBK, as the files of a Data folder are.

namespace velmora {
namespace {

constexpr int kTags = 39;
constexpr std::size_t kContentBytes = 10 * 1024;

void WriteBytes(const std::filesystem::path& path, const std::string& bytes) {
  std::FILE* file = _wfopen(path.c_str(), L"wb");
  if (file == nullptr) return;
  std::fwrite(bytes.data(), 1, bytes.size(), file);
  std::fclose(file);
}

}  // namespace

void WriteFullPreset(const std::filesystem::path& program_folder) {
  const std::filesystem::path data = program_folder / L"Data";
  std::filesystem::create_directories(data);
  WriteBytes(data / L"config.ini",
             "[组合框]\r\n预设组合框=预设配置一<|>0<||>预设配置二<|>0<||>"
             "预设配置三<|>0<||>0<|>预设配置一\r\n");
  std::string file = "[选择框]\r\n序号选择框=真\r\n";
  for (int tag = 1; tag <= kTags; ++tag) file += "标签选择框" + std::to_string(tag) + "=真\r\n";
  file += "[编辑框]\r\n文档标题编辑框=清单\r\n";
  for (int tag = 1; tag <= kTags; ++tag) {
    const std::string number = std::to_string(tag);
    std::string content;
    const std::string sentence = "第" + number + "条：合同条款 clause，付款与交付";
    for (int i = 0; content.size() < kContentBytes; ++i) {
      content += sentence;
      if (i % 6 == 5) content += "><br><";
    }
    file += "标签标题编辑框" + number + "=条目" + number + "\r\n";
    file += "标签内容编辑框" + number + "=" + content + "\r\n";
  }
  WriteBytes(data / L"预设配置一.ini", file);
}

}  // namespace velmora
