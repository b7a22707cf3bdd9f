#pragma once

#include <string>
#include <string_view>

namespace velmora {

enum class ControlType {
  kWindow,
  kEditBox,
  kGroupBox,
  kLabel,
  kButton,
  kCheckBox,
  kComboBox,
  kListBox,
  kTab,
  kDatePicker,
  kWordApp,
  kWordDocuments,
};

// The Chinese type name (GBK) that FindControls compares against: "窗口", "编辑框", ...
const std::string& TypeName(ControlType type);
// The second name: "window", "EditBox", "GroupBox", ...
std::string_view EnglishTypeName(ControlType type);

}  // namespace velmora
