#include "win32/native_style_hook.h"

#include "win32/system_headers.h"

#include <commctrl.h>

#include <string_view>

#include "win32/native_style.h"

namespace velmora {
namespace {

constexpr UINT_PTR kDialogSubclassId = 2;
constexpr int kClassNameLength = 32;

HWND hot_button = nullptr;  // the dialog button under the mouse

bool HasClass(HWND window, std::wstring_view name) {
  wchar_t class_name[kClassNameLength] = {};
  const int length = GetClassNameW(window, class_name, kClassNameLength);
  return length > 0 && CompareStringOrdinal(class_name, length, name.data(),
                                            static_cast<int>(name.size()), TRUE) == CSTR_EQUAL;
}

bool IsDialog(HWND window) { return window != nullptr && HasClass(window, L"#32770"); }

void PaintButton(HWND button) {
  PAINTSTRUCT paint;
  const HDC dc = BeginPaint(button, &paint);
  DRAWITEMSTRUCT item{};
  item.CtlType = ODT_BUTTON;
  item.itemAction = ODA_DRAWENTIRE;
  item.hwndItem = button;
  item.hDC = dc;
  GetClientRect(button, &item.rcItem);
  if (SendMessageW(button, BM_GETSTATE, 0, 0) & BST_PUSHED) item.itemState |= ODS_SELECTED;
  if (!IsWindowEnabled(button)) item.itemState |= ODS_DISABLED;
  if (GetFocus() == button) item.itemState |= ODS_FOCUS;
  if (SendMessageW(button, WM_QUERYUISTATE, 0, 0) & UISF_HIDEFOCUS) {
    item.itemState |= ODS_NOFOCUSRECT;
  }
  const HGDIOBJ old_font =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(button, WM_GETFONT, 0, 0)));
  DrawPushButton(item, hot_button == button);
  SelectObject(dc, old_font);
  EndPaint(button, &paint);
}

// The system's button draws itself at once on these, past WM_PAINT: drawn over in the style.
bool RepaintsButton(UINT message) {
  switch (message) {
    case BM_SETSTATE:
    case BM_SETSTYLE:
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_SETTEXT:
    case WM_UPDATEUISTATE:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK ButtonProcedure(HWND button, UINT message, WPARAM wparam, LPARAM lparam,
                                 UINT_PTR /*id*/, DWORD_PTR /*data*/) {
  switch (message) {
    case WM_NCDESTROY:
      if (hot_button == button) hot_button = nullptr;
      RemoveWindowSubclass(button, ButtonProcedure, kDialogSubclassId);
      break;
    case WM_PAINT:
      PaintButton(button);
      return 0;
    case WM_ERASEBKGND:
      return TRUE;
    case WM_MOUSEMOVE:
      if (hot_button != button) {
        if (hot_button != nullptr) InvalidateRect(hot_button, nullptr, FALSE);
        hot_button = button;
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, button, 0};
        TrackMouseEvent(&track);
        InvalidateRect(button, nullptr, FALSE);
      }
      break;
    case WM_MOUSELEAVE:
      if (hot_button == button) {
        hot_button = nullptr;
        InvalidateRect(button, nullptr, FALSE);
      }
      break;
    default:
      if (RepaintsButton(message)) {
        const LRESULT result = DefSubclassProc(button, message, wparam, lparam);
        RedrawWindow(button, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return result;
      }
      break;
  }
  return DefSubclassProc(button, message, wparam, lparam);
}

LRESULT CALLBACK EditProcedure(HWND edit, UINT message, WPARAM wparam, LPARAM lparam,
                               UINT_PTR /*id*/, DWORD_PTR /*data*/) {
  switch (message) {
    case WM_NCDESTROY:
      RemoveWindowSubclass(edit, EditProcedure, kDialogSubclassId);
      break;
    case WM_NCPAINT: {
      const LRESULT result = DefSubclassProc(edit, message, wparam, lparam);
      PaintEditFrame(edit);
      return result;
    }
    case WM_ENABLE: {
      const LRESULT result = DefSubclassProc(edit, message, wparam, lparam);
      RedrawWindow(edit, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
      return result;
    }
    default:
      break;
  }
  return DefSubclassProc(edit, message, wparam, lparam);
}

void TakeDialogControl(HWND control, const CREATESTRUCTW& create) {
  if (HasClass(control, L"Button")) {
    const LONG type = create.style & BS_TYPEMASK;
    if (type == BS_PUSHBUTTON || type == BS_DEFPUSHBUTTON) {
      SetWindowSubclass(control, ButtonProcedure, kDialogSubclassId, 0);
    }
  } else if (HasClass(control, L"Edit")) {
    const bool bordered = (create.style & WS_BORDER) != 0 ||
                          (create.dwExStyle & (WS_EX_CLIENTEDGE | WS_EX_STATICEDGE)) != 0;
    if (bordered) SetWindowSubclass(control, EditProcedure, kDialogSubclassId, 0);
  }
}

LRESULT CALLBACK CreationHook(int code, WPARAM wparam, LPARAM lparam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTW& create = *reinterpret_cast<const CBT_CREATEWNDW*>(lparam)->lpcs;
    if (IsDialog(create.hwndParent)) TakeDialogControl(reinterpret_cast<HWND>(wparam), create);
  }
  return CallNextHookEx(nullptr, code, wparam, lparam);
}

// The hook of the thread, for the rest of the run.
class CreationHookHolder {
 public:
  CreationHookHolder()
      : hook_(SetWindowsHookExW(WH_CBT, CreationHook, nullptr, GetCurrentThreadId())) {}
  ~CreationHookHolder() {
    if (hook_ != nullptr) UnhookWindowsHookEx(hook_);
  }
  CreationHookHolder(const CreationHookHolder&) = delete;
  CreationHookHolder& operator=(const CreationHookHolder&) = delete;

 private:
  HHOOK hook_;
};

}  // namespace

void StyleDialogsFromNowOn() { static const CreationHookHolder hook; }

}  // namespace velmora
