#include "win32/native_view.h"

#include <commctrl.h>

#include <algorithm>
#include <string>
#include <utility>

#include "runtime/date_time.h"
#include "ui/entry_text.h"
#include "ui/layout_codes.h"
#include "win32/control_windows.h"
#include "win32/native_style.h"
#include "win32/native_style_hook.h"
#include "win32/screen_metrics.h"
#include "win32/wide_text.h"

namespace velmora {
namespace {

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

void SetText(HWND handle, std::string_view gbk) { SetWindowTextW(handle, Wide(gbk).c_str()); }

std::wstring RowText(ControlType type, std::string_view gbk) {
  return type == ControlType::kListBox ? WideFromUtf8(ListEntryLine(gbk)) : Wide(gbk);
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
  early_.Replay(
      model, [this](WindowId window) { Build(window); }, [this](WindowId window) { Show(window); });
}

void NativeView::Detach() {
  // Text the user typed that the model has not read yet is handed over while the windows
  // still exist.
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
    early_.Created(window);
    return;
  }
  Build(window);
}

void NativeView::WindowShown(WindowId window) {
  if (model_ == nullptr) {
    early_.Shown(window);
    return;
  }
  Show(window);
}

void NativeView::WindowClosed(WindowId window) {
  early_.Closed(window);
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
  if (style_number != kProgramVisualStyle || styled_) return;
  styled_ = true;
  StyleDialogsFromNowOn();
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
  view.dpi = FitTopWindow(view.handle, own).dpi;
  const std::size_t count = layout.entries.size();
  view.controls.assign(count, nullptr);
  view.controls[0] = view.handle;
  // A new child lies behind its elder siblings, so controls made in control order stack with
  // the first on top, and keyboard focus moves in control order. A parent that comes later in
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
  const ScreenRect outer =
      FitTopWindow(view.handle, model_->LayoutOf(window).entries.front()).outer;
  SetWindowPos(view.handle, nullptr, outer.left, outer.top, outer.width, outer.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
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

}  // namespace velmora
