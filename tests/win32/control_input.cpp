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
  NMDATETIMECHANGE change{};
  change.nmhdr.hwndFrom = picker;
  change.nmhdr.idFrom = static_cast<UINT_PTR>(GetDlgCtrlID(picker));
  change.nmhdr.code = DTN_DATETIMECHANGE;
  change.dwFlags = GDT_VALID;
  change.st = date;
  RemoteMemory change_memory(process, sizeof change);
  if (!change_memory.ok() || !change_memory.Write(&change, sizeof change)) return false;
  SendMessageW(GetParent(picker), WM_NOTIFY, change.nmhdr.idFrom, change_memory.pointer());
  return true;
}

bool Answer(HWND dialog, int button_id) {
  HWND button = GetDlgItem(dialog, button_id);
  if (button == nullptr) return false;
  ClickLater(button);
  return WaitFor([dialog] { return !IsWindow(dialog) || !IsWindowVisible(dialog); });
}

}  // namespace velmora
