#include "win32/control_windows.h"

#include <commctrl.h>

#include "ui/control_ids.h"
#include "win32/screen_metrics.h"
#include "win32/wide_text.h"

namespace velmora {
namespace {

// The drop-down list of a combo box, part of its window height, is at least this high.
constexpr int kMinimumDropDownHeight = 160;

LRESULT CALLBACK PageProcedure(HWND page, UINT message, WPARAM wparam, LPARAM lparam) {
  if (IsChildReport(message)) {
    return SendMessageW(GetAncestor(page, GA_ROOT), message, wparam, lparam);
  }
  return DefWindowProcW(page, message, wparam, lparam);
}

struct NativeKind {
  const wchar_t* window_class = nullptr;
  DWORD style = 0;
  DWORD extended_style = 0;
};

NativeKind KindOf(const LayoutEntry& entry) {
  switch (entry.type) {
    case ControlType::kEditBox: {
      DWORD style = (entry.style & kStyleMultiLine)
                        ? ES_MULTILINE | ES_WANTRETURN | ES_AUTOVSCROLL | WS_VSCROLL
                        : ES_AUTOHSCROLL;
      if (entry.style & kStyleCentred) style |= ES_CENTER;
      if (entry.style & kStyleReadOnly) style |= ES_READONLY;
      return {L"EDIT", style, WS_EX_CLIENTEDGE};
    }
    case ControlType::kGroupBox:
      return {L"BUTTON", BS_GROUPBOX | WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlType::kLabel:
      return {L"STATIC", SS_LEFT | SS_NOPREFIX, 0};
    case ControlType::kButton:
      return {L"BUTTON", BS_PUSHBUTTON | BS_MULTILINE, 0};
    case ControlType::kCheckBox: {
      DWORD style = BS_AUTOCHECKBOX | BS_MULTILINE | BS_VCENTER;
      if (entry.style & kStyleCentred) style |= BS_CENTER;
      return {L"BUTTON", style, 0};
    }
    case ControlType::kComboBox:
      return {L"COMBOBOX", CBS_DROPDOWNLIST | CBS_NOINTEGRALHEIGHT | WS_VSCROLL, 0};
    case ControlType::kListBox:
      return {L"LISTBOX", LBS_NOTIFY | LBS_USETABSTOPS | LBS_NOINTEGRALHEIGHT | WS_VSCROLL,
              WS_EX_CLIENTEDGE};
    case ControlType::kTab:
      return {WC_TABCONTROLW, WS_CLIPCHILDREN, WS_EX_CONTROLPARENT};
    case ControlType::kDatePicker:
      return {DATETIMEPICK_CLASSW, DTS_LONGDATEFORMAT, 0};
    case ControlType::kWindow:
    case ControlType::kWordApp:
    case ControlType::kWordDocuments:
      break;
  }
  return {};
}

// List rows and combo entries one pixel taller than the system's own.
void AddRowPixel(HWND control, ControlType type) {
  if (type == ControlType::kListBox) {
    const LRESULT height = SendMessageW(control, LB_GETITEMHEIGHT, 0, 0);
    if (height > 0) SendMessageW(control, LB_SETITEMHEIGHT, 0, height + 1);
  } else if (type == ControlType::kComboBox) {
    const LRESULT height = SendMessageW(control, CB_GETITEMHEIGHT, 0, 0);
    if (height > 0) SendMessageW(control, CB_SETITEMHEIGHT, 0, height + 1);
  }
}

// The font, and what depends on its height.
void SetFont(HWND control, const LayoutEntry& entry, int dpi) {
  SendMessageW(control, WM_SETFONT, reinterpret_cast<WPARAM>(ControlFont(dpi)), FALSE);
  AddRowPixel(control, entry.type);
  if (entry.type == ControlType::kComboBox) {
    // The closed box is as high as its font makes it; the list below it gets the rest, and
    // its top edge overlaps the box's bottom edge.
    RECT field{};
    GetWindowRect(control, &field);
    SetWindowPos(control, nullptr, 0, 0, field.right - field.left,
                 field.bottom - field.top + Scaled(kMinimumDropDownHeight, dpi) + 1,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
}

// The tabs stay outside the pages' region: a page shows only the tab control's display area.
void ClipPages(HWND tab, const std::vector<HWND>& pages) {
  RECT display{};
  GetClientRect(tab, &display);
  SendMessageW(tab, TCM_ADJUSTRECT, FALSE, reinterpret_cast<LPARAM>(&display));
  for (const HWND page : pages) {
    SetWindowRgn(page, CreateRectRgn(display.left, display.top, display.right, display.bottom),
                 FALSE);
  }
}

}  // namespace

bool IsChildReport(UINT message) {
  switch (message) {
    case WM_COMMAND:
    case WM_NOTIFY:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
    case WM_CTLCOLORLISTBOX:
    case WM_CTLCOLORSTATIC:
      return true;
    default:
      return false;
  }
}

HWND CreateProgramWindow(const LayoutEntry& own, HWND owner, HINSTANCE instance, void* view) {
  DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
  DWORD extended_style = WS_EX_CONTROLPARENT;
  // The sizeable main window has a sunken client edge inside its frame; the fixed window none.
  if (own.style & kStyleSizeable) {
    style |= WS_THICKFRAME;
    extended_style |= WS_EX_CLIENTEDGE;
  }
  return CreateWindowExW(extended_style, kTopWindowClass, Wide(own.text).c_str(), style,
                         CW_USEDEFAULT, CW_USEDEFAULT, own.width, own.height, owner, nullptr,
                         instance, view);
}

HWND ChildHolder(HWND parent, const std::vector<HWND>& pages, int page) {
  if (page >= 0 && static_cast<std::size_t>(page) < pages.size()) {
    return pages[static_cast<std::size_t>(page)];
  }
  return pages.empty() ? parent : pages.front();
}

void ShowTabPage(HWND tab, const std::vector<HWND>& pages, int page) {
  SendMessageW(tab, TCM_SETCURSEL, static_cast<WPARAM>(page), 0);
  for (std::size_t i = 0; i < pages.size(); ++i) {
    ShowWindow(pages[i], static_cast<int>(i) == page ? SW_SHOWNA : SW_HIDE);
  }
}

void RegisterWindowClasses(HINSTANCE instance, WNDPROC top_procedure) {
  WNDCLASSEXW top{};
  top.cbSize = sizeof(top);
  top.lpfnWndProc = top_procedure;
  top.hInstance = instance;
  top.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  top.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  top.lpszClassName = kTopWindowClass;
  top.hIcon = static_cast<HICON>(LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON,
                                            GetSystemMetrics(SM_CXICON),
                                            GetSystemMetrics(SM_CYICON), LR_DEFAULTCOLOR));
  top.hIconSm = static_cast<HICON>(LoadImageW(instance, L"DEFAULT_ICON", IMAGE_ICON,
                                              GetSystemMetrics(SM_CXSMICON),
                                              GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  RegisterClassExW(&top);

  WNDCLASSEXW page{};
  page.cbSize = sizeof(page);
  page.lpfnWndProc = PageProcedure;
  page.hInstance = instance;
  page.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  page.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  page.lpszClassName = kPageWindowClass;
  RegisterClassExW(&page);
}

HWND CreateControlWindow(const LayoutEntry& entry, int index, HWND parent, int dpi,
                         HINSTANCE instance, const InitialLook& look) {
  const NativeKind kind = KindOf(entry);
  if (kind.window_class == nullptr) return nullptr;
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS | kind.style;
  if (entry.flags & kFlagTabStop) style |= WS_TABSTOP;
  if (look.visible) style |= WS_VISIBLE;
  if (!look.enabled) style |= WS_DISABLED;
  if (look.owner_drawn) style = (style & ~BS_TYPEMASK) | BS_OWNERDRAW;
  const int height =
      entry.type == ControlType::kComboBox ? entry.height + kMinimumDropDownHeight : entry.height;
  const HWND control = CreateWindowExW(
      kind.extended_style, kind.window_class, look.text.c_str(), style, Scaled(entry.left, dpi),
      Scaled(entry.top, dpi), Scaled(entry.width, dpi), Scaled(height, dpi), parent,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(ControlIdOf(index))), instance, nullptr);
  if (control == nullptr) return nullptr;
  if (entry.type == ControlType::kEditBox) {
    // No limit beyond the text the model holds: a stored text longer than the default limit
    // would otherwise be cut at the first keystroke.
    SendMessageW(control, EM_SETLIMITTEXT, 0, 0);
  }
  if (entry.type == ControlType::kTab) {
    for (std::size_t page = 0; page < entry.items.size(); ++page) {
      std::wstring caption = Wide(entry.items[page]);
      TCITEMW item{};
      item.mask = TCIF_TEXT;
      item.pszText = caption.data();
      SendMessageW(control, TCM_INSERTITEMW, page, reinterpret_cast<LPARAM>(&item));
    }
  }
  SetFont(control, entry, dpi);
  return control;
}

void PlaceControlWindow(HWND control, const LayoutEntry& entry, int dpi) {
  const int height =
      entry.type == ControlType::kComboBox ? entry.height + kMinimumDropDownHeight : entry.height;
  SetWindowPos(control, nullptr, Scaled(entry.left, dpi), Scaled(entry.top, dpi),
               Scaled(entry.width, dpi), Scaled(height, dpi),
               SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  SetFont(control, entry, dpi);
}

std::vector<HWND> CreateTabPages(HWND tab, const LayoutEntry& entry, HINSTANCE instance) {
  RECT area{};
  GetClientRect(tab, &area);
  std::vector<HWND> pages;
  for (std::size_t page = 0; page < entry.items.size(); ++page) {
    // Page IDs stay below the control IDs of the layout.
    pages.push_back(CreateWindowExW(
        WS_EX_CONTROLPARENT, kPageWindowClass, L"", WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS, 0,
        0, area.right, area.bottom, tab, reinterpret_cast<HMENU>(static_cast<INT_PTR>(page + 1)),
        instance, nullptr));
  }
  ClipPages(tab, pages);
  return pages;
}

void PlaceTabPages(HWND tab, const std::vector<HWND>& pages) {
  RECT area{};
  GetClientRect(tab, &area);
  for (const HWND page : pages) {
    SetWindowPos(page, nullptr, 0, 0, area.right, area.bottom,
                 SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOREDRAW);
  }
  ClipPages(tab, pages);
}

}  // namespace velmora
