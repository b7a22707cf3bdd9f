#include "control_input.h"

#include <commctrl.h>

#include "remote_memory.h"
#include "window_search.h"

namespace velmora {

void Click(HWND button) { SendMessageW(button, BM_CLICK, 0, 0); }

void ClickLater(HWND button) { PostMessageW(button, BM_CLICK, 0, 0); }

void Type(HWND edit, std::wstring_view text) {
  for (const wchar_t c : text) SendMessageW(edit, WM_CHAR, c, 1);
}

bool ClickTab(HANDLE process, HWND tab, int index) {
  RemoteMemory rect_memory(process, sizeof(RECT));
  RECT rect{};
  if (!rect_memory.ok() ||
      !SendMessageW(tab, TCM_GETITEMRECT, static_cast<WPARAM>(index), rect_memory.pointer()) ||
      !rect_memory.Read(&rect, sizeof rect)) {
    return false;
  }
  const LPARAM centre = MAKELPARAM((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2);
  SendMessageW(tab, WM_LBUTTONDOWN, MK_LBUTTON, centre);
  SendMessageW(tab, WM_LBUTTONUP, 0, centre);
  return true;
}

bool PickDate(HANDLE process, HWND picker, const SYSTEMTIME& date) {
  RemoteMemory date_memory(process, sizeof(SYSTEMTIME));
  if (!date_memory.ok() || !date_memory.Write(&date, sizeof date) ||
      !SendMessageW(picker, DTM_SETSYSTEMTIME, GDT_VALID, date_memory.pointer())) {
    return false;
  }
  // The date goes in without a word to the parent (and a notification with a pointer cannot be
  // sent from another process): a click on the first field and a step of it up and back down
  // with the arrow keys make the picker tell its parent the date itself.
  RECT client{};
  GetClientRect(picker, &client);
  const LPARAM first_field = MAKELPARAM(6, client.bottom / 2);
  SendMessageW(picker, WM_LBUTTONDOWN, MK_LBUTTON, first_field);
  SendMessageW(picker, WM_LBUTTONUP, 0, first_field);
  for (const WPARAM key : {VK_UP, VK_DOWN}) {
    SendMessageW(picker, WM_KEYDOWN, key, 1);
    SendMessageW(picker, WM_KEYUP, key, 1u | 3u << 30);
  }
  SYSTEMTIME shown{};
  if (SendMessageW(picker, DTM_GETSYSTEMTIME, 0, date_memory.pointer()) != GDT_VALID ||
      !date_memory.Read(&shown, sizeof shown)) {
    return false;
  }
  return shown.wYear == date.wYear && shown.wMonth == date.wMonth && shown.wDay == date.wDay;
}

bool Answer(HWND dialog, int button_id) {
  HWND button = GetDlgItem(dialog, button_id);
  if (button == nullptr) return false;
  ClickLater(button);
  return WaitFor([dialog] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

}  // namespace velmora
