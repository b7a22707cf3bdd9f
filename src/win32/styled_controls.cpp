#include "win32/styled_controls.h"

#include <commctrl.h>

#include "win32/native_style.h"

namespace velmora {
namespace {

constexpr UINT_PTR kDropDownSubclassId = 2;

bool RepaintsComboBox(UINT message) {
  switch (message) {
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
    case WM_ENABLE:
    case WM_KEYDOWN:
    case WM_LBUTTONDOWN:
    case WM_LBUTTONUP:
    case WM_MOUSEWHEEL:
    case WM_COMMAND:
    case CB_SETCURSEL:
    case CB_SHOWDROPDOWN:
      return true;
    default:
      return false;
  }
}

LRESULT CALLBACK DropDownListProcedure(HWND list, UINT message, WPARAM wparam, LPARAM lparam,
                                       UINT_PTR id, DWORD_PTR) {
  if (message == WM_NCDESTROY) RemoveWindowSubclass(list, DropDownListProcedure, id);
  const LRESULT result = DefSubclassProc(list, message, wparam, lparam);
  if (message == WM_NCPAINT && SendMessageW(list, LB_GETCOUNT, 0, 0) > 0) {
    PaintDropDownFrame(list);
  }
  return result;
}

// Paints the control in the style in place of the system.
template <typename Paint>
LRESULT PaintInStyle(HWND handle, Paint paint) {
  PAINTSTRUCT paint_struct;
  const HDC dc = BeginPaint(handle, &paint_struct);
  paint(handle, dc);
  EndPaint(handle, &paint_struct);
  return 0;
}

}  // namespace

void StyledControls::Take(ControlType type, HWND handle) const {
  switch (type) {
    case ControlType::kButton:
    case ControlType::kCheckBox: {
      const LONG_PTR style = GetWindowLongPtrW(handle, GWL_STYLE);
      SendMessageW(handle, BM_SETSTYLE, static_cast<WPARAM>((style & ~BS_TYPEMASK) | BS_OWNERDRAW),
                   TRUE);
      break;
    }
    case ControlType::kEditBox:
      SetWindowPos(handle, nullptr, 0, 0, 0, 0,
                   SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
      break;
    case ControlType::kGroupBox:
      InvalidateRect(handle, nullptr, TRUE);
      break;
    case ControlType::kComboBox: {
      COMBOBOXINFO info{};
      info.cbSize = sizeof(info);
      if (GetComboBoxInfo(handle, &info) && info.hwndList != nullptr) {
        SetWindowSubclass(info.hwndList, DropDownListProcedure, kDropDownSubclassId, 0);
      }
      InvalidateRect(handle, nullptr, TRUE);
      break;
    }
    default:
      break;
  }
}

bool StyledControls::Answer(ControlType type, HWND handle, UINT message, WPARAM wparam,
                            LPARAM lparam, LRESULT& result) {
  if (!on_) return false;
  switch (type) {
    case ControlType::kGroupBox:
      if (message == WM_PAINT) {
        result = PaintInStyle(handle, PaintGroupBox);
        return true;
      }
      if (message == WM_ERASEBKGND) {
        result = TRUE;
        return true;
      }
      return false;
    case ControlType::kEditBox:
      if (message == WM_NCPAINT) {
        result = DefSubclassProc(handle, message, wparam, lparam);
        PaintEditFrame(handle);
        return true;
      }
      if (message == WM_ENABLE) {
        result = DefSubclassProc(handle, message, wparam, lparam);
        RedrawWindow(handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        return true;
      }
      return false;
    case ControlType::kButton:
      if (message == WM_MOUSEMOVE && hot_button_ != handle) {
        if (hot_button_ != nullptr) InvalidateRect(hot_button_, nullptr, FALSE);
        hot_button_ = handle;
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, handle, 0};
        TrackMouseEvent(&track);
        InvalidateRect(handle, nullptr, FALSE);
      } else if (message == WM_MOUSELEAVE && hot_button_ == handle) {
        hot_button_ = nullptr;
        InvalidateRect(handle, nullptr, FALSE);
      }
      return false;
    case ControlType::kComboBox:
      if (message == WM_PAINT) {
        result = PaintInStyle(handle, PaintComboBox);
        return true;
      }
      if (message == WM_ERASEBKGND) {
        result = TRUE;
        return true;
      }
      if (RepaintsComboBox(message)) {
        // The box draws its text at once on these, past WM_PAINT: drawn over in the style.
        result = DefSubclassProc(handle, message, wparam, lparam);
        RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return true;
      }
      return false;
    case ControlType::kCheckBox:
      // An owner-drawn check box keeps no tick of its own: it shows the one it is told of.
      if (message == BM_SETCHECK) {
        InvalidateRect(handle, nullptr, FALSE);
        result = 0;
        return true;
      }
      return false;
    default:
      return false;
  }
}

void StyledControls::Draw(ControlType type, const DRAWITEMSTRUCT& item, bool checked,
                          bool centred) const {
  if (type == ControlType::kCheckBox) {
    DrawCheckBox(item, checked, centred);
  } else {
    DrawPushButton(item, item.hwndItem == hot_button_);
  }
}

void StyledControls::Forget(HWND handle) {
  if (hot_button_ == handle) hot_button_ = nullptr;
}

}  // namespace velmora
