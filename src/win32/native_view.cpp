#include "win32/native_view.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "runtime/date_time.h"
#include "ui/entry_text.h"
#include "win32/control_windows.h"
#include "win32/native_style.h"
#include "win32/screen_metrics.h"
#include "win32/wide_text.h"

namespace velmora {
namespace {

// Posted by a combo box choice, so that the choice is reported once the selection is in place.
constexpr UINT kPickMessage = WM_APP + 1;
constexpr UINT_PTR kSubclassId = 1;

void Erase(std::vector<WindowId>& ids, WindowId window) {
  ids.erase(std::remove(ids.begin(), ids.end(), window), ids.end());
}

bool Contains(const std::vector<WindowId>& ids, WindowId window) {
  return std::find(ids.begin(), ids.end(), window) != ids.end();
}

SYSTEMTIME ToSystemTime(DateTime value) {
  const CalendarTime time = ToCalendarTime(value);
  SYSTEMTIME system{};
  system.wYear = static_cast<WORD>(time.year);
  system.wMonth = static_cast<WORD>(time.month);
  system.wDay = static_cast<WORD>(time.day);
  system.wHour = static_cast<WORD>(time.hour);
  system.wMinute = static_cast<WORD>(time.minute);
  system.wSecond = static_cast<WORD>(time.second);
  return system;
}

// The picked day with the time of day the model already holds.
DateTime WithDay(DateTime previous, const SYSTEMTIME& day) {
  CalendarTime time = ToCalendarTime(previous);
  time.year = day.wYear;
  time.month = day.wMonth;
  time.day = day.wDay;
  return FromCalendarTime(time);
}

void SetText(HWND handle, std::string_view gbk) { SetWindowTextW(handle, Wide(gbk).c_str()); }

std::wstring RowText(ControlType type, std::string_view gbk) {
  return type == ControlType::kListBox ? WideFromUtf8(ListEntryLine(gbk)) : Wide(gbk);
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

NativeView::NativeView(HINSTANCE instance) : instance_(instance) {
  RegisterWindowClasses(instance, TopProcedure);
}

NativeView::~NativeView() {
  model_ = nullptr;
  for (auto& [id, view] : windows_) DestroyWindow(view.handle);
}

void NativeView::Attach(ControlModel& model) {
  model_ = &model;
  styled_ = model.VisualStyle() == 1;
  const std::vector<WindowId> created = std::exchange(created_early_, {});
  const std::vector<WindowId> shown = std::exchange(shown_early_, {});
  for (WindowId window : created) {
    if (!model.IsLoaded(window)) continue;
    Build(window);
    if (Contains(shown, window)) Show(window);
  }
}

void NativeView::Detach() {
  // What the user typed and the model has not read yet goes over while the windows stand.
  if (model_ != nullptr) {
    for (const auto& [id, view] : windows_) {
      if (!model_->IsLoaded(id)) continue;
      for (std::size_t i = 1; i < view.controls.size(); ++i) {
        if (view.controls[i] != nullptr && refs_.count(view.controls[i]) != 0 &&
            refs_.at(view.controls[i]).type == ControlType::kEditBox) {
          static_cast<void>(model_->Text(refs_.at(view.controls[i])));
        }
      }
    }
  }
  model_ = nullptr;
}

HWND NativeView::ActiveWindowHandle() const {
  if (model_ == nullptr) return nullptr;
  const auto found = windows_.find(model_->ActiveWindow());
  return found == windows_.end() ? nullptr : found->second.handle;
}

bool NativeView::TranslateDialogKeys(MSG& message) {
  if (message.message < WM_KEYFIRST || message.message > WM_KEYLAST) return false;
  const HWND top = GetAncestor(message.hwnd, GA_ROOT);
  for (const auto& [id, view] : windows_) {
    if (view.handle == top) return IsDialogMessageW(top, &message) != FALSE;
  }
  return false;
}

void NativeView::WindowCreated(WindowId window) {
  if (model_ == nullptr) {
    created_early_.push_back(window);
    return;
  }
  Build(window);
}

void NativeView::WindowShown(WindowId window) {
  if (model_ == nullptr) {
    shown_early_.push_back(window);
    return;
  }
  Show(window);
}

void NativeView::WindowClosed(WindowId window) {
  Erase(created_early_, window);
  Erase(shown_early_, window);
  const auto found = windows_.find(window);
  if (found == windows_.end()) return;
  ViewWindow view = std::move(found->second);
  windows_.erase(found);
  // The windows a modal window disabled take input again before it goes, so that one of them,
  // and no other program, becomes active.
  for (const HWND other : view.disabled) EnableWindow(other, TRUE);
  for (const HWND control : view.controls) refs_.erase(control);
  for (const auto& [tab, pages] : view.pages) {
    for (const HWND page : pages) refs_.erase(page);
  }
  DestroyWindow(view.handle);
}

void NativeView::PropertyChanged(const ControlRef& control, Property property) {
  if (!Live(control)) return;
  if (control.control == 0) {
    if (property == Property::kCaption) {
      SetText(windows_.at(control.window).handle, model_->Caption(control));
    }
    return;
  }
  if (const HWND handle = HandleOf(control); handle != nullptr) Apply(control, handle, property);
}

void NativeView::ItemsChanged(const ControlRef& control, const ItemChange& change) {
  if (!Live(control)) return;
  if (const HWND handle = HandleOf(control); handle != nullptr) ApplyRows(control, handle, change);
}

void NativeView::VisualStyleChanged(int style_number) {
  if (style_number != 1 || styled_) return;
  styled_ = true;
  if (model_ == nullptr) return;
  for (const auto& [handle, control] : refs_) TakeStyle(control, handle);
}

void NativeView::RunModal(WindowId window) {
  if (model_ == nullptr || !model_->IsLoaded(window)) return;
  const auto found = windows_.find(window);
  if (found == windows_.end()) return;
  // Every other window takes no input while this one is open.
  for (const auto& [id, view] : windows_) {
    if (id != window && IsWindowEnabled(view.handle)) {
      EnableWindow(view.handle, FALSE);
      found->second.disabled.push_back(view.handle);
    }
  }
  MSG message{};
  while (model_ != nullptr && model_->IsLoaded(window)) {
    const BOOL got = GetMessageW(&message, nullptr, 0, 0);
    if (got == 0) {
      // The quit message belongs to the outer loop.
      PostQuitMessage(static_cast<int>(message.wParam));
      break;
    }
    if (got < 0) break;
    if (TranslateDialogKeys(message)) continue;
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

void NativeView::Build(WindowId window) {
  const WindowLayout& layout = model_->LayoutOf(window);
  const LayoutEntry& own = layout.entries.front();
  ViewWindow& view = windows_[window];
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  DWORD extended_style = WS_EX_CONTROLPARENT;
  // The sizeable main window has a sunken client edge inside its frame; the fixed window none.
  if (own.style & kStyleSizeable) {
    style |= WS_THICKFRAME;
    extended_style |= WS_EX_CLIENTEDGE;
  }
  HWND owner = nullptr;
  if (const auto main = windows_.begin(); main != windows_.end() && main->first != window) {
    owner = main->second.handle;
  }
  view.handle =
      CreateWindowExW(extended_style, kTopWindowClass, Wide(own.text).c_str(), style, CW_USEDEFAULT,
                      CW_USEDEFAULT, own.width, own.height, owner, nullptr, instance_, this);
  view.dpi = DpiOf(view.handle);
  const std::size_t count = layout.entries.size();
  view.controls.assign(count, nullptr);
  view.controls[0] = view.handle;
  // A new child lies behind its elder siblings, so controls made in control order stack with
  // the first on top, and keyboard focus moves in control order. A parent that stands later in
  // control order than a child is made before it: it goes back behind its previous sibling.
  std::vector<std::size_t> made_early;
  for (std::size_t i = 1; i < count; ++i) {
    if (view.controls[i] == nullptr) CreateEntry(window, view, i, made_early);
  }
  std::sort(made_early.begin(), made_early.end());
  for (const std::size_t i : made_early) {
    HWND after = HWND_TOP;
    for (std::size_t before = i - 1; before > 0; --before) {
      if (layout.entries[before].parent == layout.entries[i].parent &&
          layout.entries[before].page == layout.entries[i].page &&
          view.controls[before] != nullptr) {
        after = view.controls[before];
        break;
      }
    }
    SetWindowPos(view.controls[i], after, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  for (std::size_t i = 1; i < count; ++i) {
    const HWND handle = view.controls[i];
    if (handle == nullptr) continue;
    const ControlRef control{layout.entries[i].type, window, static_cast<int>(i)};
    SetWindowSubclass(handle, ControlProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
    ApplyState(control, handle);
    if (styled_ && control.type == ControlType::kComboBox) TakeStyle(control, handle);
  }
}

HWND NativeView::CreateEntry(WindowId window, ViewWindow& view, std::size_t entry,
                             std::vector<std::size_t>& made_early) {
  const WindowLayout& layout = model_->LayoutOf(window);
  const LayoutEntry& own = layout.entries[entry];
  HWND parent = view.handle;
  const auto parent_index = static_cast<std::size_t>(own.parent);
  if (parent_index > 0 && parent_index < layout.entries.size() && parent_index != entry) {
    if (view.controls[parent_index] == nullptr) {
      CreateEntry(window, view, parent_index, made_early);
      if (parent_index > entry) made_early.push_back(parent_index);
    }
    parent = view.controls[parent_index];
    if (layout.entries[parent_index].type == ControlType::kTab) {
      const std::vector<HWND>& pages = view.pages[own.parent];
      if (own.page >= 0 && static_cast<std::size_t>(own.page) < pages.size()) {
        parent = pages[static_cast<std::size_t>(own.page)];
      } else if (!pages.empty()) {
        parent = pages.front();
      }
    }
    if (parent == nullptr) parent = view.handle;
  }
  const ControlRef control{own.type, window, static_cast<int>(entry)};
  InitialLook look;
  switch (own.type) {
    case ControlType::kGroupBox:
    case ControlType::kLabel:
    case ControlType::kButton:
    case ControlType::kCheckBox:
      look.text = Wide(model_->Caption(control));
      break;
    case ControlType::kEditBox:
      look.text = Wide(model_->Text(control));
      break;
    default:
      break;
  }
  look.visible = model_->Visible(control);
  look.enabled = model_->Enabled(control);
  look.owner_drawn =
      styled_ && (own.type == ControlType::kButton || own.type == ControlType::kCheckBox);
  const HWND handle =
      CreateControlWindow(own, static_cast<int>(entry), parent, view.dpi, instance_, look);
  view.controls[entry] = handle;
  if (handle == nullptr) return nullptr;
  // Known from here on, so that the window's procedure finds it when it draws it.
  refs_[handle] = control;
  if (own.type == ControlType::kTab) {
    view.pages[static_cast<int>(entry)] = CreateTabPages(handle, own, instance_);
  }
  return handle;
}

void NativeView::Rescale(WindowId window, ViewWindow& view, int dpi) {
  if (model_ == nullptr || dpi == view.dpi) return;
  view.dpi = dpi;
  const WindowLayout& layout = model_->LayoutOf(window);
  for (std::size_t i = 1; i < view.controls.size(); ++i) {
    if (view.controls[i] != nullptr) PlaceControlWindow(view.controls[i], layout.entries[i], dpi);
  }
  for (const auto& [tab, pages] : view.pages) {
    PlaceTabPages(view.controls[static_cast<std::size_t>(tab)], pages);
  }
  RedrawWindow(view.handle, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void NativeView::Show(WindowId window) {
  const auto found = windows_.find(window);
  if (found == windows_.end() || found->second.shown) return;
  ViewWindow& view = found->second;
  view.shown = true;
  const LayoutEntry& own = model_->LayoutOf(window).entries.front();
  const int width = Scaled(own.width, view.dpi);
  const int height = Scaled(own.height, view.dpi);
  int left = 0;
  int top = 0;
  if (own.style & kStyleCentreOnScreen) {
    left = (GetSystemMetrics(SM_CXSCREEN) - width) / 2;
    top = (GetSystemMetrics(SM_CYSCREEN) - height) / 2;
  }
  SetWindowPos(view.handle, nullptr, left, top, width, height, SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(view.handle, SW_SHOW);
  SetForegroundWindow(view.handle);
  if (const HWND first = GetNextDlgTabItem(view.handle, nullptr, FALSE); first != nullptr) {
    SetFocus(first);
  }
}

bool NativeView::Live(const ControlRef& control) const {
  return model_ != nullptr && model_->IsLoaded(control.window) &&
         windows_.count(control.window) != 0;
}

const ControlRef* NativeView::RefOf(HWND control) const {
  const auto found = refs_.find(control);
  return found == refs_.end() ? nullptr : &found->second;
}

HWND NativeView::HandleOf(const ControlRef& control) const {
  const auto found = windows_.find(control.window);
  if (found == windows_.end() || control.control < 0) return nullptr;
  const std::vector<HWND>& controls = found->second.controls;
  const auto index = static_cast<std::size_t>(control.control);
  return index < controls.size() ? controls[index] : nullptr;
}

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

void NativeView::ApplyState(const ControlRef& control, HWND handle) {
  switch (control.type) {
    case ControlType::kCheckBox:
      if (model_->Checked(control)) Apply(control, handle, Property::kChecked);
      break;
    case ControlType::kComboBox:
    case ControlType::kListBox:
      Apply(control, handle, Property::kItems);
      break;
    case ControlType::kTab:
      Apply(control, handle, Property::kPage);
      break;
    case ControlType::kDatePicker:
      Apply(control, handle, Property::kDate);
      break;
    default:
      break;
  }
}

void NativeView::Apply(const ControlRef& control, HWND handle, Property property) {
  ++applying_;
  switch (property) {
    case Property::kCaption:
      SetText(handle, model_->Caption(control));
      break;
    case Property::kChecked:
      SendMessageW(handle, BM_SETCHECK, model_->Checked(control) ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Property::kVisible:
      ShowWindow(handle, model_->Visible(control) ? SW_SHOWNA : SW_HIDE);
      break;
    case Property::kText:
      if (control.type == ControlType::kEditBox) {
        const std::string text = model_->Text(control);
        if (WindowTextOf(handle) != text) SetText(handle, text);
      }
      break;
    case Property::kItems: {
      const bool list = control.type == ControlType::kListBox;
      if (!list && control.type != ControlType::kComboBox) break;
      SendMessageW(handle, WM_SETREDRAW, FALSE, 0);
      SendMessageW(handle, list ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
      for (const ComboEntry& entry : model_->Combo(control).Entries()) {
        SendMessageW(handle, list ? LB_ADDSTRING : CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(RowText(control.type, entry.text).c_str()));
      }
      SendMessageW(handle, WM_SETREDRAW, TRUE, 0);
      InvalidateRect(handle, nullptr, TRUE);
      Apply(control, handle, Property::kSelection);
      break;
    }
    case Property::kSelection: {
      const int selection = model_->Selection(control);
      if (control.type == ControlType::kListBox) {
        SendMessageW(handle, LB_SETCURSEL, static_cast<WPARAM>(selection), 0);
      } else if (control.type == ControlType::kComboBox) {
        SendMessageW(handle, CB_SETCURSEL, static_cast<WPARAM>(selection), 0);
      }
      break;
    }
    case Property::kPage:
      if (control.type == ControlType::kTab) ShowPage(control, model_->Page(control));
      break;
    case Property::kDate:
      if (control.type == ControlType::kDatePicker) {
        SYSTEMTIME time = ToSystemTime(model_->Date(control));
        SendMessageW(handle, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&time));
      }
      break;
  }
  --applying_;
}

void NativeView::ApplyRows(const ControlRef& control, HWND handle, const ItemChange& change) {
  const bool list = control.type == ControlType::kListBox;
  if (!list && control.type != ControlType::kComboBox) return;
  const std::vector<ComboEntry>& entries = model_->Combo(control).Entries();
  const int before = static_cast<int>(SendMessageW(handle, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
  if (change.first < 0 || change.removed < 0 || change.first + change.removed > before ||
      before - change.removed + change.inserted != static_cast<int>(entries.size())) {
    Apply(control, handle, Property::kItems);
    return;
  }
  // Only the rows that changed.
  ++applying_;
  for (int i = 0; i < change.removed; ++i) {
    SendMessageW(handle, list ? LB_DELETESTRING : CB_DELETESTRING,
                 static_cast<WPARAM>(change.first), 0);
  }
  for (int i = change.first; i < change.first + change.inserted; ++i) {
    SendMessageW(handle, list ? LB_INSERTSTRING : CB_INSERTSTRING, static_cast<WPARAM>(i),
                 reinterpret_cast<LPARAM>(
                     RowText(control.type, entries[static_cast<std::size_t>(i)].text).c_str()));
  }
  --applying_;
  Apply(control, handle, Property::kSelection);
}

void NativeView::ShowPage(const ControlRef& tab, int page) {
  ViewWindow& view = windows_.at(tab.window);
  const HWND handle = view.controls[static_cast<std::size_t>(tab.control)];
  ++applying_;
  SendMessageW(handle, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
  --applying_;
  // Only the selected page shows; a control hidden on a page stays hidden when its page comes
  // back, since each child keeps its own visibility.
  const std::vector<HWND>& pages = view.pages[tab.control];
  for (std::size_t i = 0; i < pages.size(); ++i) {
    ShowWindow(pages[i], static_cast<int>(i) == page ? SW_SHOWNA : SW_HIDE);
  }
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
