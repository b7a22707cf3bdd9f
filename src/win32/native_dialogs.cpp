#include "win32/native_dialogs.h"

#include "win32/input_box_template.h"
#include "win32/wide_text.h"

namespace velmora {
namespace {

struct InputBoxState {
  std::wstring prompt;
  std::wstring title;
  std::wstring text;
};

INT_PTR CALLBACK InputBoxProcedure(HWND dialog, UINT message, WPARAM wparam, LPARAM lparam) {
  switch (message) {
    case WM_INITDIALOG: {
      SetWindowLongPtrW(dialog, DWLP_USER, lparam);
      const auto* state = reinterpret_cast<const InputBoxState*>(lparam);
      if (!state->title.empty()) SetWindowTextW(dialog, state->title.c_str());
      SetDlgItemTextW(dialog, kInputBoxPromptId, state->prompt.c_str());
      SetFocus(GetDlgItem(dialog, kInputBoxEditId));
      return FALSE;
    }
    case WM_COMMAND:
      if (LOWORD(wparam) == IDOK) {
        auto* state = reinterpret_cast<InputBoxState*>(GetWindowLongPtrW(dialog, DWLP_USER));
        const HWND edit = GetDlgItem(dialog, kInputBoxEditId);
        state->text.assign(static_cast<std::size_t>(GetWindowTextLengthW(edit)) + 1, L'\0');
        state->text.resize(static_cast<std::size_t>(
            GetWindowTextW(edit, state->text.data(), static_cast<int>(state->text.size()))));
        EndDialog(dialog, IDOK);
        return TRUE;
      }
      if (LOWORD(wparam) == IDCANCEL) {
        EndDialog(dialog, IDCANCEL);
        return TRUE;
      }
      break;
    default:
      break;
  }
  return FALSE;
}

}  // namespace

int NativeDialogs::MessageBox(std::string_view text, int flags, std::string_view title) {
  const UINT buttons = (flags & 0xF) == kMessageOkCancel ? MB_OKCANCEL : MB_OK;
  const int pressed = ::MessageBoxW(owner_(), Wide(text).c_str(), Wide(title).c_str(),
                                    buttons | MB_TASKMODAL | MB_SETFOREGROUND);
  return buttons == MB_OKCANCEL && pressed != IDOK ? kResultCancel : kResultOk;
}

bool NativeDialogs::InputBox(std::string_view prompt, std::string_view title, std::string& text) {
  InputBoxState state{Wide(prompt), Wide(title), {}};
  const std::vector<WORD> dialog_template = InputBoxTemplate();
  const INT_PTR result = DialogBoxIndirectParamW(
      instance_, reinterpret_cast<const DLGTEMPLATE*>(dialog_template.data()), owner_(),
      InputBoxProcedure, reinterpret_cast<LPARAM>(&state));
  if (result != IDOK) return false;
  text = Narrow(state.text);
  return true;
}

}  // namespace velmora
