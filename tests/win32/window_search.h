#pragma once

// Finding the windows of another process and reading them, the way a user sees them: top-level
// windows by their titles, controls by their names in the layout table (a native window's
// control ID is that of its layout entry), dialogs as they come up.

#include <windows.h>

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/layout.h"

namespace velmora {

// Polls condition until it holds or timeout_ms have passed; whether it held.
bool WaitFor(const std::function<bool()>& condition, DWORD timeout_ms = 10000);

// The visible top-level window of the process titled title, or null.
HWND FindTopLevel(DWORD process_id, std::wstring_view title);
// The same, waiting for it to come up.
HWND WaitForTopLevel(DWORD process_id, std::wstring_view title, DWORD timeout_ms = 10000);
// A visible dialog window (message box, input box) of the process, or null after timeout_ms.
HWND WaitForDialog(DWORD process_id, DWORD timeout_ms = 10000);

// The control window of the layout entry named name (GBK) below window, or null.
HWND FindControl(HWND window, WindowKind kind, std::string_view name);
// The child windows below window (all levels) of the given class, in Z order.
std::vector<HWND> ChildrenOfClass(HWND window, std::wstring_view class_name);

// A window's text as its owner answers WM_GETTEXT.
std::wstring WindowText(HWND window);
// The texts of a list box's entries.
std::vector<std::wstring> ListBoxEntries(HWND list);
// The texts of a combo box's entries.
std::vector<std::wstring> ComboBoxEntries(HWND combo);
// Visible, and neither the window nor any control in it waits to be painted.
bool IsShownAndPainted(HWND window);
// The window's rectangle in the client coordinates of the top-level window top.
RECT RectIn(HWND top, HWND window);

}  // namespace velmora
