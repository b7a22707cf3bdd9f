#include "win32/native_view.h"

#include <commctrl.h>

#include <string>
#include <utility>

#include "ui/layout_codes.h"
#include "win32/control_values.h"
#include "win32/control_windows.h"
#include "win32/native_style_hook.h"
#include "win32/screen_metrics.h"
#include "win32/wide_text.h"

namespace velmora {
NativeView::NativeView(HINSTANCE instance) : instance_(instance) {
  RegisterWindowClasses(instance, TopProcedure);
}

NativeView::~NativeView() {
  Detach();
  for (auto& [id, view] : windows_) DestroyWindow(view.handle);
}

HWND NativeView::ActiveWindowHandle() const {
  if (model() == nullptr) return nullptr;
  const auto found = windows_.find(model()->ActiveWindow());
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

void NativeView::VisualStyleChanged(int style_number) {
  if (style_number != kProgramVisualStyle || style_.on()) return;
  style_.SwitchOn();
  StyleDialogsFromNowOn();
  for (const auto& [handle, control] : refs_) style_.Take(control.type, handle);
}

void NativeView::CreateTopWindow(WindowId window, const LayoutEntry& own) {
  ViewWindow& view = windows_[window];
  HWND owner = nullptr;
  if (const auto main = windows_.begin(); main != windows_.end() && main->first != window) {
    owner = main->second.handle;
  }
  view.handle = CreateProgramWindow(own, owner, instance_, this);
  view.dpi = FitTopWindow(view.handle, own).dpi;
  view.controls.assign(model()->LayoutOf(window).entries.size(), nullptr);
  view.controls[0] = view.handle;
}

void NativeView::CreateControl(const ControlRef& control, const ControlLook& look) {
  ViewWindow& view = windows_.at(control.window);
  const WindowLayout& layout = model()->LayoutOf(control.window);
  const LayoutEntry& own = layout.entries[static_cast<std::size_t>(control.control)];
  // The window's own entry [0] holds the controls that have no parent control.
  const auto parent_index = static_cast<std::size_t>(own.parent);
  const HWND holder = parent_index < view.controls.size() ? view.controls[parent_index] : nullptr;
  HWND parent = holder == nullptr ? view.handle : holder;
  const auto tab = view.pages.find(own.parent);
  if (holder != nullptr && tab != view.pages.end())
    parent = ChildHolder(holder, tab->second, own.page);
  const InitialLook initial{
      Wide(look.text), look.visible, look.enabled,
      style_.on() && (own.type == ControlType::kButton || own.type == ControlType::kCheckBox)};
  const HWND handle =
      CreateControlWindow(own, control.control, parent, view.dpi, instance_, initial);
  if (handle == nullptr) return;
  view.controls[static_cast<std::size_t>(control.control)] = handle;
  // Registered at once, so that the window procedure can look the control up when painting it.
  refs_[handle] = control;
  if (own.type == ControlType::kTab)
    view.pages[control.control] = CreateTabPages(handle, own, instance_);
  SetWindowSubclass(handle, ControlProcedure, kSubclassId, reinterpret_cast<DWORD_PTR>(this));
  if (style_.on() && control.type == ControlType::kComboBox) style_.Take(control.type, handle);
}

void NativeView::StackControl(const ControlRef& control, int previous) {
  const HWND handle = HandleOf(control);
  if (handle == nullptr) return;
  // A new child window goes behind its existing siblings, which also makes keyboard focus move
  // in control order: only a parent created ahead of its turn has to be moved behind its
  // previous sibling.
  const HWND above = previous == 0 ? nullptr : HandleOf({control.type, control.window, previous});
  if (GetWindow(handle, GW_HWNDPREV) == above) return;
  SetWindowPos(handle, above == nullptr ? HWND_TOP : above, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE | SWP_NOREDRAW);
}

void NativeView::Rescale(WindowId window, ViewWindow& view, int dpi) {
  if (model() == nullptr || dpi == view.dpi) return;
  view.dpi = dpi;
  const WindowLayout& layout = model()->LayoutOf(window);
  for (std::size_t i = 1; i < view.controls.size(); ++i) {
    if (view.controls[i] != nullptr) PlaceControlWindow(view.controls[i], layout.entries[i], dpi);
  }
  for (const auto& [tab, pages] : view.pages) {
    PlaceTabPages(view.controls[static_cast<std::size_t>(tab)], pages);
  }
  RedrawWindow(view.handle, nullptr, nullptr,
               RDW_INVALIDATE | RDW_ERASE | RDW_FRAME | RDW_ALLCHILDREN);
}

void NativeView::ShowTopWindow(WindowId window) {
  const ViewWindow& view = windows_.at(window);
  const ScreenRect outer =
      FitTopWindow(view.handle, model()->LayoutOf(window).entries.front()).outer;
  SetWindowPos(view.handle, nullptr, outer.left, outer.top, outer.width, outer.height,
               SWP_NOZORDER | SWP_NOACTIVATE);
  ShowWindow(view.handle, SW_SHOW);
  SetForegroundWindow(view.handle);
  if (const HWND first = GetNextDlgTabItem(view.handle, nullptr, FALSE); first != nullptr) {
    SetFocus(first);
  }
}

void NativeView::DestroyTopWindow(WindowId window) {
  const auto found = windows_.find(window);
  if (found == windows_.end()) return;
  const ViewWindow view = std::move(found->second);
  windows_.erase(found);
  for (const HWND control : view.controls) refs_.erase(control);
  for (const auto& [tab, pages] : view.pages) {
    for (const HWND page : pages) refs_.erase(page);
  }
  DestroyWindow(view.handle);
}

void NativeView::EnableTopWindow(WindowId window, bool enabled) {
  EnableWindow(windows_.at(window).handle, enabled ? TRUE : FALSE);
}

void NativeView::RunEventLoop(WindowId window) {
  MSG message{};
  while (model() != nullptr && model()->IsLoaded(window)) {
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

void NativeView::PostFlush() {
  // A message box that the action opens dispatches it to the window while it waits.
  if (const HWND target = ActiveWindowHandle(); target != nullptr) {
    PostMessageW(target, kFlushMessage, 0, 0);
  }
}

void NativeView::ProgramFinished() { PostQuitMessage(0); }

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

void NativeView::SetProperty(const ControlRef& control, Property property) {
  const HWND handle = HandleOf(control);
  if (handle == nullptr) return;
  ++applying_;
  switch (property) {
    case Property::kCaption:
      ShowWindowText(handle, model()->Caption(control));
      break;
    case Property::kChecked:
      SendMessageW(handle, BM_SETCHECK, model()->Checked(control) ? BST_CHECKED : BST_UNCHECKED, 0);
      break;
    case Property::kVisible:
      ShowWindow(handle, model()->Visible(control) ? SW_SHOWNA : SW_HIDE);
      break;
    case Property::kText:
      if (control.type == ControlType::kEditBox) {
        const std::string_view text = model()->TextView(control);
        if (WindowTextOf(handle) != text) ShowWindowText(handle, text);
      }
      break;
    case Property::kItems:
      if (control.type != ControlType::kListBox && control.type != ControlType::kComboBox) break;
      ShowRows(handle, control.type == ControlType::kListBox, model()->Combo(control).Entries());
      SetProperty(control, Property::kSelection);
      break;
    case Property::kSelection:
      SendMessageW(handle, control.type == ControlType::kListBox ? LB_SETCURSEL : CB_SETCURSEL,
                   static_cast<WPARAM>(model()->Selection(control)), 0);
      break;
    case Property::kPage:
      if (control.type == ControlType::kTab) ShowPage(control, model()->Page(control));
      break;
    case Property::kDate:
      if (control.type == ControlType::kDatePicker) ShowDate(handle, model()->Date(control));
      break;
  }
  --applying_;
}

int NativeView::RowCount(const ControlRef& control) const {
  return RowCountOf(HandleOf(control), control.type == ControlType::kListBox);
}

void NativeView::ReplaceRows(const ControlRef& control, const ItemChange& change) {
  ++applying_;
  ReplaceRowsOf(HandleOf(control), control.type == ControlType::kListBox,
                model()->Combo(control).Entries(), change);
  --applying_;
}

void NativeView::ShowPage(const ControlRef& tab, int page) {
  ViewWindow& view = windows_.at(tab.window);
  ++applying_;
  ShowTabPage(view.controls[static_cast<std::size_t>(tab.control)], view.pages[tab.control], page);
  --applying_;
}

}  // namespace velmora
