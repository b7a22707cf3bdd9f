// The second floor of the launch benchmark: a window of the main window's outer size and frame
// with the native control windows that velmora.exe shows at start (the window's own controls
// and those on the first page of each tab control), made by the same helper from the same
// layout table (classes, styles, positions, captions, fonts, list entries, tab pages), shown as
// velmora.exe shows them in a fresh run folder, but with no control model, no program logic, no
// owner drawing and nothing bound to events. Closing it ends the program with 0.

#include <windows.h>

#include <commctrl.h>

#include <map>
#include <vector>

#include "ui/control_names.h"
#include "ui/layout.h"
#include "win32/control_windows.h"
#include "win32/screen_metrics.h"
#include "win32/wide_text.h"

namespace velmora {
namespace {

LRESULT CALLBACK LayoutWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

class LayoutWindow {
 public:
  LayoutWindow(HINSTANCE instance, const WindowLayout& layout)
      : instance_(instance), layout_(layout), controls_(layout.entries.size()) {}

  HWND Build() {
    const LayoutEntry& own = layout_.entries.front();
    DWORD style = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX | WS_CLIPCHILDREN;
    DWORD extended_style = WS_EX_CONTROLPARENT;
    if (own.style & kStyleSizeable) {
      style |= WS_THICKFRAME;
      extended_style |= WS_EX_CLIENTEDGE;
    }
    controls_[0] =
        CreateWindowExW(extended_style, kTopWindowClass, L"LayoutWindow", style, CW_USEDEFAULT,
                        CW_USEDEFAULT, own.width, own.height, nullptr, nullptr, instance_, nullptr);
    dpi_ = DpiOf(controls_[0]);
    const int width = Scaled(own.width, dpi_);
    const int height = Scaled(own.height, dpi_);
    SetWindowPos(controls_[0], nullptr, (GetSystemMetrics(SM_CXSCREEN) - width) / 2,
                 (GetSystemMetrics(SM_CYSCREEN) - height) / 2, width, height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    for (std::size_t i = 1; i < controls_.size(); ++i) {
      if (controls_[i] == nullptr && OnFirstPages(i)) Create(i);
    }
    return controls_[0];
  }

 private:
  // Seen at start: on the first page of every tab control above it.
  bool OnFirstPages(std::size_t index) const {
    for (std::size_t steps = 0; index != 0 && steps < controls_.size(); ++steps) {
      const LayoutEntry& entry = layout_.entries[index];
      const auto parent = static_cast<std::size_t>(entry.parent);
      if (parent >= controls_.size()) return true;
      if (layout_.entries[parent].type == ControlType::kTab && entry.page > 0) return false;
      index = parent;
    }
    return true;
  }

  HWND ParentOf(const LayoutEntry& entry, std::size_t index) {
    const auto parent = static_cast<std::size_t>(entry.parent);
    if (parent == 0 || parent >= controls_.size() || parent == index) return controls_[0];
    if (controls_[parent] == nullptr) Create(parent);
    const auto pages = pages_.find(entry.parent);
    if (pages != pages_.end() && !pages->second.empty()) {
      const auto page = static_cast<std::size_t>(entry.page);
      return entry.page >= 0 && page < pages->second.size() ? pages->second[page]
                                                            : pages->second.front();
    }
    return controls_[parent] != nullptr ? controls_[parent] : controls_[0];
  }

  void Create(std::size_t index) {
    const LayoutEntry& entry = layout_.entries[index];
    const HWND parent = ParentOf(entry, index);
    InitialLook look;
    if (entry.type != ControlType::kComboBox && entry.type != ControlType::kListBox) {
      look.text = Wide(entry.text);
    }
    look.visible = (entry.flags & kFlagVisible) != 0;
    // A tag's check box shows only once the tag has a title, and a fresh run folder has none.
    if (entry.type == ControlType::kCheckBox && entry.name.starts_with(kTagCheckBoxPrefix)) {
      look.text.clear();
      look.visible = false;
    }
    look.enabled = (entry.flags & kFlagDisabled) == 0;
    const HWND control =
        CreateControlWindow(entry, static_cast<int>(index), parent, dpi_, instance_, look);
    controls_[index] = control;
    if (control == nullptr) return;
    const bool list = entry.type == ControlType::kListBox;
    if (list || entry.type == ControlType::kComboBox) {
      for (const std::string& item : entry.items) {
        SendMessageW(control, list ? LB_ADDSTRING : CB_ADDSTRING, 0,
                     reinterpret_cast<LPARAM>(Wide(item).c_str()));
      }
      SendMessageW(control, list ? LB_SETCURSEL : CB_SETCURSEL,
                   static_cast<WPARAM>(entry.selection), 0);
    } else if (entry.type == ControlType::kCheckBox && (entry.style & kStyleTicked)) {
      SendMessageW(control, BM_SETCHECK, BST_CHECKED, 0);
    } else if (entry.type == ControlType::kTab) {
      std::vector<HWND>& pages = pages_[static_cast<int>(index)];
      pages = CreateTabPages(control, entry, instance_);
      if (!pages.empty()) ShowWindow(pages.front(), SW_SHOWNA);
    }
  }

  HINSTANCE instance_;
  const WindowLayout& layout_;
  std::vector<HWND> controls_;  // by layout entry; [0] is the window, bridges null
  std::map<int, std::vector<HWND>> pages_;
  int dpi_ = kLayoutDpi;
};

}  // namespace
}  // namespace velmora

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  const INITCOMMONCONTROLSEX controls{sizeof(INITCOMMONCONTROLSEX),
                                      ICC_TAB_CLASSES | ICC_DATE_CLASSES | ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  velmora::RegisterWindowClasses(instance, velmora::LayoutWindowProc);
  velmora::LayoutWindow layout(instance, velmora::GetWindowLayout(velmora::WindowKind::kMain));
  const HWND window = layout.Build();
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
