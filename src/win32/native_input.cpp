#include "win32/native_view.h"

#include <commctrl.h>

#include <algorithm>

#include "win32/control_windows.h"
#include "win32/styled_controls.h"
#include "win32/wide_text.h"

// The windows' side of the view: the window procedures, and the user's actions on the controls
// reported to the model.

namespace velmora {
namespace {

bool IsMultiLineEdit(HWND handle) {
  return (GetWindowLongPtrW(handle, GWL_STYLE) & ES_MULTILINE) != 0;
}
}  // namespace

void NativeView::Command(HWND handle, int code) {
  const ControlRef* found = RefOf(handle);
  if (found == nullptr || applying_ > 0) return;
  const ControlRef control = *found;
  if (!Live(control)) return;
  switch (control.type) {
    case ControlType::kButton:
      if (code == BN_CLICKED) {
        const UserAction action(*this);
        model()->UserClick(control);
      }
      break;
    case ControlType::kCheckBox:
      if (code == BN_CLICKED) {
        const UserAction action(*this);
        model()->UserToggle(control);
        Refresh(control, Property::kChecked);
      }
      break;
    case ControlType::kEditBox:
      if (code != EN_CHANGE) break;
      if (IsMultiLineEdit(handle)) {
        // A multi-line box may hold a long text: it is converted when the model reads it, not
        // on every keystroke.
        model()->UserEditText(control, [handle] { return WindowTextOf(handle); });
      } else {
        model()->UserReplaceText(control, WindowTextOf(handle));
      }
      break;
    case ControlType::kComboBox:
      // A choice confirmed in the open list, or made with the keys on the closed box; moving
      // through the open list chooses nothing yet.
      if (code == CBN_SELENDOK ||
          (code == CBN_SELCHANGE && SendMessageW(handle, CB_GETDROPPEDSTATE, 0, 0) == FALSE)) {
        PostMessageW(GetAncestor(handle, GA_ROOT), kPickMessage, 0,
                     reinterpret_cast<LPARAM>(handle));
      }
      break;
    case ControlType::kListBox:
      if (code == LBN_SELCHANGE) {
        model()->UserSelectListItem(control,
                                    static_cast<int>(SendMessageW(handle, LB_GETCURSEL, 0, 0)));
      }
      break;
    default:
      break;
  }
}

void NativeView::Notify(const NMHDR& header) {
  const ControlRef* found = RefOf(header.hwndFrom);
  if (found == nullptr || applying_ > 0) return;
  if ((found->type == ControlType::kTab && header.code == TCN_SELCHANGE) ||
      (found->type == ControlType::kDatePicker && header.code == DTN_DATETIMECHANGE &&
       reinterpret_cast<const NMDATETIMECHANGE&>(header).dwFlags == GDT_VALID)) {
    ReportChoice(*found, header.hwndFrom);
  }
}

void NativeView::ReportChoice(const ControlRef& control, HWND handle) {
  if (!Live(control)) return;
  if (control.type == ControlType::kTab) {
    model()->UserSelectPage(control, static_cast<int>(SendMessageW(handle, TCM_GETCURSEL, 0, 0)));
    Refresh(control, Property::kPage);
  } else if (control.type == ControlType::kDatePicker) {
    SYSTEMTIME day{};
    if (SendMessageW(handle, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&day)) == GDT_VALID) {
      model()->UserPickDate(control,
                            WithDay(model()->Date(control), day.wYear, day.wMonth, day.wDay));
    }
  }
}

void NativeView::PickPosted(HWND combo) {
  const ControlRef* found = RefOf(combo);
  if (found == nullptr) return;
  const ControlRef control = *found;
  if (!Live(control)) return;
  const UserAction action(*this);
  model()->UserPickEntry(control, static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)));
}

LRESULT CALLBACK NativeView::TopProcedure(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_NCCREATE) {
    const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lparam);
    SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
  }
  auto* view = reinterpret_cast<NativeView*>(GetWindowLongPtrW(window, GWLP_USERDATA));
  if (view == nullptr) return DefWindowProcW(window, message, wparam, lparam);
  return view->TopMessage(window, message, wparam, lparam);
}

LRESULT NativeView::TopMessage(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  const auto own = std::find_if(windows_.begin(), windows_.end(), [window](const auto& view) {
    return view.second.handle == window;
  });
  switch (message) {
    case WM_COMMAND:
      if (lparam != 0) Command(reinterpret_cast<HWND>(lparam), HIWORD(wparam));
      return 0;
    case WM_NOTIFY:
      Notify(*reinterpret_cast<const NMHDR*>(lparam));
      return 0;
    case WM_DRAWITEM: {
      const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
      const ControlRef* control = RefOf(item.hwndItem);
      if (control == nullptr || model() == nullptr) break;
      style_.Draw(
          control->type, item,
          control->type == ControlType::kCheckBox && Live(*control) && model()->Checked(*control),
          (model()->Entry(*control).style & kStyleCentred) != 0);
      return TRUE;
    }
    case kPickMessage:
      PickPosted(reinterpret_cast<HWND>(lparam));
      return 0;
    case kFlushMessage:
      FlushDeferred();
      return 0;
    case WM_CLOSE:
      if (own != windows_.end()) RequestClose(own->first);
      return 0;
    case WM_ACTIVATE:
      // The focus goes back to the control that had it when the window becomes active again.
      if (own == windows_.end()) break;
      if (LOWORD(wparam) == WA_INACTIVE) {
        const HWND focus = GetFocus();
        if (focus != nullptr && IsChild(window, focus)) own->second.focus = focus;
      } else if (own->second.focus != nullptr && IsWindow(own->second.focus)) {
        SetFocus(own->second.focus);
        return 0;
      }
      break;
    case WM_DPICHANGED:
      // Moved to a monitor with another DPI: rescale every control to it.
      if (own != windows_.end()) Rescale(own->first, own->second, HIWORD(wparam));
      {
        const auto* suggested = reinterpret_cast<const RECT*>(lparam);
        SetWindowPos(window, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      }
      return 0;
    default:
      break;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

LRESULT CALLBACK NativeView::ControlProcedure(HWND control, UINT message, WPARAM wparam,
                                              LPARAM lparam, UINT_PTR, DWORD_PTR view) {
  return reinterpret_cast<NativeView*>(view)->ControlMessage(control, message, wparam, lparam);
}

LRESULT NativeView::ControlMessage(HWND handle, UINT message, WPARAM wparam, LPARAM lparam) {
  const ControlRef* control = RefOf(handle);
  if (message == WM_NCDESTROY || control == nullptr) {
    style_.Forget(handle);
    RemoveWindowSubclass(handle, ControlProcedure, kSubclassId);
    return DefSubclassProc(handle, message, wparam, lparam);
  }
  const ControlType type = control->type;
  // A group box is the parent of its controls: forward their notifications to the window.
  if (type == ControlType::kGroupBox && IsChildReport(message)) {
    return SendMessageW(GetAncestor(handle, GA_ROOT), message, wparam, lparam);
  }
  if (type == ControlType::kEditBox && message == WM_GETDLGCODE && IsMultiLineEdit(handle)) {
    // Tab moves on to the next control, as in every other box; Enter stays in the box.
    LRESULT code = DefSubclassProc(handle, message, wparam, lparam);
    const auto* key = reinterpret_cast<const MSG*>(lparam);
    if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_TAB) {
      code &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
    }
    return code;
  }
  // An owner-drawn check box has no checked state of its own: answer with the model's.
  if (type == ControlType::kCheckBox && style_.on() && message == BM_GETCHECK) {
    return Live(*control) && model()->Checked(*control) ? BST_CHECKED : BST_UNCHECKED;
  }
  // A page or a date set on the control by anything but the model (a test driver, an
  // accessibility tool) is the user's choice, as a click on a tab or in the calendar is.
  if (applying_ == 0 &&
      ((type == ControlType::kTab && message == TCM_SETCURSEL) ||
       (type == ControlType::kDatePicker && message == DTM_SETSYSTEMTIME && wparam == GDT_VALID))) {
    const ControlRef chosen = *control;
    const LRESULT result = DefSubclassProc(handle, message, wparam, lparam);
    ReportChoice(chosen, handle);
    return result;
  }
  if (LRESULT result = 0; style_.Answer(type, handle, message, wparam, lparam, result)) {
    return result;
  }
  return DefSubclassProc(handle, message, wparam, lparam);
}

}  // namespace velmora
