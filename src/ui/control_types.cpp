#include "ui/control_types.h"

#include <array>
#include <cstddef>

namespace velmora {

namespace {

constexpr std::size_t kTypeCount = static_cast<std::size_t>(ControlType::kWordDocuments) + 1;

std::size_t TypeIndex(ControlType type) {
  const auto index = static_cast<std::size_t>(type);
  // An out-of-range value (a cast from a stray integer) reads as the window type rather than
  // running past the tables.
  return index < kTypeCount ? index : 0;
}

}  // namespace

const std::string& TypeName(ControlType type) {
  static const std::array<std::string, kTypeCount> kNames = {
      "窗口",   "编辑框", "分组框", "标签",   "按钮",     "选择框",
      "组合框", "列表框", "选择夹", "日期框", "Word程序", "Word文档集",
  };
  return kNames[TypeIndex(type)];
}

std::string_view EnglishTypeName(ControlType type) {
  static constexpr std::array<std::string_view, kTypeCount> kNames = {
      "window",   "EditBox", "GroupBox", "Label",      "Button",  "CheckBox",
      "ComboBox", "ListBox", "Tab",      "DatePicker", "WordApp", "WordDocuments",
  };
  return kNames[TypeIndex(type)];
}

}  // namespace velmora
