#include "win32/input_box_template.h"

#include <string_view>

namespace velmora {
namespace {

constexpr WORD kButtonClass = 0x0080;
constexpr WORD kEditClass = 0x0081;
constexpr WORD kStaticClass = 0x0082;

class TemplateWriter {
 public:
  void Word(WORD value) { words_.push_back(value); }
  void Double(DWORD value) {
    Word(LOWORD(value));
    Word(HIWORD(value));
  }
  void Text(std::wstring_view text) {
    for (const wchar_t c : text) Word(static_cast<WORD>(c));
    Word(0);
  }
  void AlignToDouble() {
    if (words_.size() % 2 != 0) Word(0);
  }
  void Item(DWORD style, short left, short top, short width, short height, WORD id,
            WORD window_class, std::wstring_view text) {
    AlignToDouble();
    Double(style | WS_CHILD | WS_VISIBLE);
    Double(0);
    Word(static_cast<WORD>(left));
    Word(static_cast<WORD>(top));
    Word(static_cast<WORD>(width));
    Word(static_cast<WORD>(height));
    Word(id);
    Word(0xFFFF);
    Word(window_class);
    Text(text);
    Word(0);  // no creation data
  }
  std::vector<WORD> Take() { return std::move(words_); }

 private:
  std::vector<WORD> words_;
};

// "宋体" where the system has it; the dialog manager falls back to the system font otherwise.
constexpr std::wstring_view kFontFamily = L"宋体";

}  // namespace

std::vector<WORD> InputBoxTemplate() {
  TemplateWriter writer;
  writer.Double(DS_SETFONT | DS_MODALFRAME | DS_CENTER | WS_POPUP | WS_CAPTION | WS_SYSMENU);
  writer.Double(0);
  writer.Word(5);  // items
  writer.Word(0);
  writer.Word(0);
  writer.Word(252);
  writer.Word(92);
  writer.Word(0);  // no menu
  writer.Word(0);  // the dialog class
  writer.Text(L"请输入：");
  writer.Word(9);
  writer.Text(kFontFamily);
  writer.Item(SS_SUNKEN, 7, 7, 238, 35, 0xFFFF, kStaticClass, L"");
  writer.Item(SS_LEFT | SS_NOPREFIX, 12, 11, 229, 27, kInputBoxPromptId, kStaticClass, L"");
  writer.Item(ES_AUTOHSCROLL | WS_BORDER | WS_TABSTOP, 7, 45, 238, 12, kInputBoxEditId, kEditClass,
              L"");
  writer.Item(BS_DEFPUSHBUTTON | WS_TABSTOP, 63, 66, 55, 19, IDOK, kButtonClass, L"确认输入(&O)");
  writer.Item(BS_PUSHBUTTON | WS_TABSTOP, 134, 66, 55, 19, IDCANCEL, kButtonClass, L"取消(&C)");
  return writer.Take();
}

}  // namespace velmora
