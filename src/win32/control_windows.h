#pragma once

// The native windows of the layout: the window classes of the program's own windows, and one
// control window per layout entry with the entry's type-specific settings (captions and values
// come from the model afterwards).

#include "win32/system_headers.h"

#include <string>
#include <vector>

#include "ui/layout.h"

namespace velmora {

inline constexpr wchar_t kTopWindowClass[] = L"VelmoraWindow";
inline constexpr wchar_t kPageWindowClass[] = L"VelmoraPage";

// The page class forwards what its controls report to the top window, whose procedure is
// top_procedure.
void RegisterWindowClasses(HINSTANCE instance, WNDPROC top_procedure);

// The program's own window of the layout's window entry, not shown yet; `view` reaches the
// top procedure with WM_NCCREATE.
HWND CreateProgramWindow(const LayoutEntry& own, HWND owner, HINSTANCE instance, void* view);

// What a control window shows from the start: set at creation, so that nothing is set twice.
struct InitialLook {
  std::wstring text;  // caption, or the text of an edit box
  bool visible = true;
  bool enabled = true;
  bool owner_drawn = false;  // push buttons and check boxes under the visual style
};

// The control window of entry `index`, a child of parent, with the entry's control ID; nullptr
// for the bridge objects, which have no window.
HWND CreateControlWindow(const LayoutEntry& entry, int index, HWND parent, int dpi,
                         HINSTANCE instance, const InitialLook& look);

// The window that holds the children of a control: the control itself, or for a tab control
// (pages not empty) the page that the child names.
HWND ChildHolder(HWND parent, const std::vector<HWND>& pages, int page);

// Position, size and font of a control window in the pixels of `dpi`.
void PlaceControlWindow(HWND control, const LayoutEntry& entry, int dpi);

// One page window per tab of a tab control, each covering the whole control so that the
// controls on a page keep the layout's coordinates (relative to the tab control); the tabs
// themselves stay outside the page's region. All pages start hidden.
std::vector<HWND> CreateTabPages(HWND tab, const LayoutEntry& entry, HINSTANCE instance);
// Selects the tab and shows its page alone; a control hidden on a page stays hidden when its
// page comes back, since each child keeps its own visibility.
void ShowTabPage(HWND tab, const std::vector<HWND>& pages, int page);
// The pages brought in line with the tab control's size and font.
void PlaceTabPages(HWND tab, const std::vector<HWND>& pages);

// Whether a message of a child reports to its parent (commands, notifications, owner drawing,
// colours): a container passes these on to the top window.
bool IsChildReport(UINT message);

}  // namespace velmora
