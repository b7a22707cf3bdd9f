#include "window_search.h"

#include "ui/control_ids.h"

namespace velmora {

namespace {

constexpr DWORD kPollMs = 10;

struct TopLevelSearch {
  DWORD process_id;
  std::wstring_view title;  // empty: any dialog window
  HWND found = nullptr;
};

std::wstring ClassOf(HWND window) {
  wchar_t name[64] = {};
  GetClassNameW(window, name, 64);
  return name;
}

BOOL CALLBACK CheckTopLevel(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<TopLevelSearch*>(data);
  DWORD owner = 0;
  GetWindowThreadProcessId(window, &owner);
  if (owner != search.process_id || !IsWindowVisible(window)) return TRUE;
  // A dialog is owned by the window it belongs to; the main window has no owner.
  const bool wanted = search.title.empty()
                          ? ClassOf(window) == L"#32770" && GetWindow(window, GW_OWNER) != nullptr
                          : WindowText(window) == search.title;
  if (!wanted) return TRUE;
  search.found = window;
  return FALSE;
}

HWND SearchTopLevel(DWORD process_id, std::wstring_view title) {
  TopLevelSearch search{process_id, title, nullptr};
  EnumWindows(CheckTopLevel, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

struct ChildSearch {
  int id = 0;
  std::wstring_view class_name;
  std::vector<HWND> found;
};

BOOL CALLBACK CheckChild(HWND window, LPARAM data) {
  auto& search = *reinterpret_cast<ChildSearch*>(data);
  if (search.class_name.empty() ? GetDlgCtrlID(window) == search.id
                                : ClassOf(window) == search.class_name) {
    search.found.push_back(window);
  }
  return TRUE;
}

}  // namespace

bool WaitFor(const std::function<bool()>& condition, DWORD timeout_ms) {
  const ULONGLONG deadline = GetTickCount64() + timeout_ms;
  while (!condition()) {
    if (GetTickCount64() >= deadline) return false;
    Sleep(kPollMs);
  }
  return true;
}

HWND FindTopLevel(DWORD process_id, std::wstring_view title) {
  return SearchTopLevel(process_id, title);
}

HWND WaitForTopLevel(DWORD process_id, std::wstring_view title, DWORD timeout_ms) {
  HWND found = nullptr;
  WaitFor([&] { return (found = SearchTopLevel(process_id, title)) != nullptr; }, timeout_ms);
  return found;
}

HWND WaitForDialog(DWORD process_id, DWORD timeout_ms) {
  HWND found = nullptr;
  WaitFor([&] { return (found = SearchTopLevel(process_id, {})) != nullptr; }, timeout_ms);
  return found;
}

HWND FindControl(HWND window, WindowKind kind, std::string_view name) {
  const int entry = FindLayoutEntry(GetWindowLayout(kind), name);
  if (entry <= 0) return nullptr;
  ChildSearch search{ControlIdOf(entry), {}, {}};
  EnumChildWindows(window, CheckChild, reinterpret_cast<LPARAM>(&search));
  return search.found.empty() ? nullptr : search.found.front();
}

std::vector<HWND> ChildrenOfClass(HWND window, std::wstring_view class_name) {
  ChildSearch search{0, class_name, {}};
  EnumChildWindows(window, CheckChild, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

std::wstring WindowText(HWND window) {
  const auto length = SendMessageW(window, WM_GETTEXTLENGTH, 0, 0);
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  const auto copied =
      SendMessageW(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<std::size_t>(copied));
  return text;
}

std::vector<std::wstring> ListBoxEntries(HWND list) {
  std::vector<std::wstring> entries;
  const auto count = SendMessageW(list, LB_GETCOUNT, 0, 0);
  for (WPARAM i = 0; i < static_cast<WPARAM>(count); ++i) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(list, LB_GETTEXTLEN, i, 0)) + 1, L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(list, LB_GETTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    entries.push_back(text);
  }
  return entries;
}

std::vector<std::wstring> ComboBoxEntries(HWND combo) {
  std::vector<std::wstring> entries;
  const auto count = SendMessageW(combo, CB_GETCOUNT, 0, 0);
  for (WPARAM i = 0; i < static_cast<WPARAM>(count); ++i) {
    std::wstring text(static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, i, 0)) + 1,
                      L'\0');
    text.resize(static_cast<std::size_t>(
        SendMessageW(combo, CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(text.data()))));
    entries.push_back(text);
  }
  return entries;
}

bool IsShownAndPainted(HWND window) {
  if (!IsWindowVisible(window) || GetUpdateRect(window, nullptr, FALSE)) return false;
  bool painted = true;
  EnumChildWindows(
      window,
      [](HWND child, LPARAM data) -> BOOL {
        if (!IsWindowVisible(child) || !GetUpdateRect(child, nullptr, FALSE)) return TRUE;
        *reinterpret_cast<bool*>(data) = false;
        return FALSE;
      },
      reinterpret_cast<LPARAM>(&painted));
  return painted;
}

RECT RectIn(HWND top, HWND window) {
  RECT rect{};
  GetWindowRect(window, &rect);
  MapWindowPoints(HWND_DESKTOP, top, reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

}  // namespace velmora
