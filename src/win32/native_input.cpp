#include "win32/native_view.h"

#include <commctrl.h>

#include "runtime/date_time.h"
#include "win32/control_windows.h"
#include "win32/native_style.h"
#include "win32/wide_text.h"

// The windows' side of the view: the window procedures, and the user's actions on the controls
// reported to the model.

namespace velmora {
namespace {

// Posted by a combo box choice, so that the choice is reported once the selection is in place.
constexpr UINT kPickMessage = WM_APP + 1;

// The picked day with the time of day the model already holds.
DateTime WithDay(DateTime previous, const SYSTEMTIME& day) {
  CalendarTime time = ToCalendarTime(previous);
  time.year = day.wYear;
  time.month = day.wMonth;
  time.day = day.wDay;
  return FromCalendarTime(time);
}

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

bool IsMultiLineEdit(HWND handle) {
  return (GetWindowLongPtrW(handle, GWL_STYLE) & ES_MULTILINE) != 0;
}
}  // namespace

void NativeView::RequestClose(WindowId window) {
  if (model_ == nullptr || !model_->IsLoaded(window)) return;
  const auto found = windows_.find(window);
  // A window behind an open modal window cannot be closed.
  if (found == windows_.end() || !IsWindowEnabled(found->second.handle) ||
      model_->ActiveWindow() != window) {
    return;
  }
  model_->UserClose(window);
  // The model counts the program as finished only once the close has gone through.
  if (model_ != nullptr && model_->Finished()) PostQuitMessage(0);
}

void NativeView::Command(HWND handle, int code) {
  const ControlRef* found = RefOf(handle);
  if (found == nullptr || applying_ > 0) return;
  const ControlRef control = *found;
  if (!Live(control)) return;
  switch (control.type) {
    case ControlType::kButton:
      if (code == BN_CLICKED) model_->UserClick(control);
      break;
    case ControlType::kCheckBox:
      if (code == BN_CLICKED) {
        model_->UserToggle(control);
        if (Live(control)) Apply(control, handle, Property::kChecked);
      }
      break;
    case ControlType::kEditBox:
      if (code != EN_CHANGE) break;
      if (IsMultiLineEdit(handle)) {
        // A multi-line box may hold a long text: it is converted when the model reads it, not
        // on every keystroke.
        model_->UserEditText(control, [handle] { return WindowTextOf(handle); });
      } else {
        model_->UserReplaceText(control, WindowTextOf(handle));
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
        model_->UserSelectListItem(control,
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
    model_->UserSelectPage(control, static_cast<int>(SendMessageW(handle, TCM_GETCURSEL, 0, 0)));
    if (Live(control)) ShowPage(control, model_->Page(control));
  } else if (control.type == ControlType::kDatePicker) {
    SYSTEMTIME day{};
    if (SendMessageW(handle, DTM_GETSYSTEMTIME, 0, reinterpret_cast<LPARAM>(&day)) == GDT_VALID) {
      model_->UserPickDate(control, WithDay(model_->Date(control), day));
    }
  }
}

void NativeView::PickPosted(HWND combo) {
  const ControlRef* found = RefOf(combo);
  if (found == nullptr) return;
  const ControlRef control = *found;
  if (!Live(control)) return;
  model_->UserPickEntry(control, static_cast<int>(SendMessageW(combo, CB_GETCURSEL, 0, 0)));
}

void NativeView::TakeStyle(const ControlRef& control, HWND handle) {
  switch (control.type) {
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
        SetWindowSubclass(info.hwndList, DropDownListProcedure, kSubclassId, 0);
      }
      InvalidateRect(handle, nullptr, TRUE);
      break;
    }
    default:
      break;
  }
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
      if (control == nullptr || model_ == nullptr) break;
      if (control->type == ControlType::kCheckBox) {
        DrawCheckBox(item, Live(*control) && model_->Checked(*control),
                     (model_->Entry(*control).style & kStyleCentred) != 0);
      } else {
        DrawPushButton(item, item.hwndItem == hot_button_);
      }
      return TRUE;
    }
    case kPickMessage:
      PickPosted(reinterpret_cast<HWND>(lparam));
      return 0;
    case WM_CLOSE:
      for (const auto& [id, view] : windows_) {
        if (view.handle == window) {
          RequestClose(id);
          break;
        }
      }
      return 0;
    case WM_ACTIVATE:
      // The focus goes back to the control that had it when the window becomes active again.
      for (auto& [id, view] : windows_) {
        if (view.handle != window) continue;
        if (LOWORD(wparam) == WA_INACTIVE) {
          const HWND focus = GetFocus();
          if (focus != nullptr && IsChild(window, focus)) view.focus = focus;
        } else if (view.focus != nullptr && IsWindow(view.focus)) {
          SetFocus(view.focus);
          return 0;
        }
      }
      break;
    case WM_DPICHANGED:
      // Moved to a monitor of another DPI: every control in the pixels of the new one.
      for (auto& [id, view] : windows_) {
        if (view.handle == window) Rescale(id, view, HIWORD(wparam));
      }
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
    if (hot_button_ == handle) hot_button_ = nullptr;
    RemoveWindowSubclass(handle, ControlProcedure, kSubclassId);
    return DefSubclassProc(handle, message, wparam, lparam);
  }
  switch (control->type) {
    case ControlType::kGroupBox:
      // A group box holds controls: what they report goes on to the window.
      if (IsChildReport(message)) {
        return SendMessageW(GetAncestor(handle, GA_ROOT), message, wparam, lparam);
      }
      if (styled_ && message == WM_PAINT) {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(handle, &paint);
        PaintGroupBox(handle, dc);
        EndPaint(handle, &paint);
        return 0;
      }
      if (styled_ && message == WM_ERASEBKGND) return TRUE;
      break;
    case ControlType::kEditBox:
      if (message == WM_GETDLGCODE && IsMultiLineEdit(handle)) {
        // Tab moves on to the next control, as in every other box; Enter stays in the box.
        LRESULT code = DefSubclassProc(handle, message, wparam, lparam);
        const auto* key = reinterpret_cast<const MSG*>(lparam);
        if (key != nullptr && key->message == WM_KEYDOWN && key->wParam == VK_TAB) {
          code &= ~(DLGC_WANTALLKEYS | DLGC_WANTTAB | DLGC_WANTMESSAGE);
        }
        return code;
      }
      if (styled_ && message == WM_NCPAINT) {
        const LRESULT result = DefSubclassProc(handle, message, wparam, lparam);
        PaintEditFrame(handle);
        return result;
      }
      if (styled_ && message == WM_ENABLE) {
        const LRESULT result = DefSubclassProc(handle, message, wparam, lparam);
        RedrawWindow(handle, nullptr, nullptr, RDW_FRAME | RDW_INVALIDATE);
        return result;
      }
      break;
    case ControlType::kButton:
      // The button under the mouse shows it, as the system's own buttons do.
      if (styled_ && message == WM_MOUSEMOVE && hot_button_ != handle) {
        if (hot_button_ != nullptr) InvalidateRect(hot_button_, nullptr, FALSE);
        hot_button_ = handle;
        TRACKMOUSEEVENT track{sizeof(TRACKMOUSEEVENT), TME_LEAVE, handle, 0};
        TrackMouseEvent(&track);
        InvalidateRect(handle, nullptr, FALSE);
      } else if (message == WM_MOUSELEAVE && hot_button_ == handle) {
        hot_button_ = nullptr;
        InvalidateRect(handle, nullptr, FALSE);
      }
      break;
    case ControlType::kComboBox:
      if (!styled_) break;
      if (message == WM_PAINT) {
        PAINTSTRUCT paint;
        const HDC dc = BeginPaint(handle, &paint);
        PaintComboBox(handle, dc);
        EndPaint(handle, &paint);
        return 0;
      }
      if (message == WM_ERASEBKGND) return TRUE;
      if (RepaintsComboBox(message)) {
        // The box draws its text at once on these, past WM_PAINT: drawn over in the style.
        const LRESULT result = DefSubclassProc(handle, message, wparam, lparam);
        RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW);
        return result;
      }
      break;
    case ControlType::kTab:
    case ControlType::kDatePicker:
      // A page or a date set on the control by anything but the model (a test driver, an
      // accessibility tool) is the user's choice, as a click on a tab or in the calendar is.
      if (applying_ == 0 && ((control->type == ControlType::kTab && message == TCM_SETCURSEL) ||
                             (control->type == ControlType::kDatePicker &&
                              message == DTM_SETSYSTEMTIME && wparam == GDT_VALID))) {
        const ControlRef chosen = *control;
        const LRESULT result = DefSubclassProc(handle, message, wparam, lparam);
        ReportChoice(chosen, handle);
        return result;
      }
      break;
    case ControlType::kCheckBox:
      // An owner-drawn check box keeps no tick of its own: the model's is the one shown.
      if (styled_ && message == BM_GETCHECK) {
        return Live(*control) && model_->Checked(*control) ? BST_CHECKED : BST_UNCHECKED;
      }
      if (styled_ && message == BM_SETCHECK) {
        InvalidateRect(handle, nullptr, FALSE);
        return 0;
      }
      break;
    default:
      break;
  }
  return DefSubclassProc(handle, message, wparam, lparam);
}

}  // namespace velmora
