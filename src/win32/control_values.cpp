#include "win32/control_values.h"

#include <commctrl.h>

#include <string>

#include "ui/entry_text.h"
#include "win32/wide_text.h"

namespace velmora {
namespace {

std::wstring RowText(bool list, std::string_view gbk) {
  return list ? WideFromUtf8(ListEntryLine(gbk)) : Wide(gbk);
}

}  // namespace

void ShowWindowText(HWND handle, std::string_view gbk) {
  SetWindowTextW(handle, Wide(gbk).c_str());
}

void ShowDate(HWND date_picker, DateTime value) {
  const CalendarTime time = ToCalendarTime(value);
  SYSTEMTIME system{};
  system.wYear = static_cast<WORD>(time.year);
  system.wMonth = static_cast<WORD>(time.month);
  system.wDay = static_cast<WORD>(time.day);
  system.wHour = static_cast<WORD>(time.hour);
  system.wMinute = static_cast<WORD>(time.minute);
  system.wSecond = static_cast<WORD>(time.second);
  SendMessageW(date_picker, DTM_SETSYSTEMTIME, GDT_VALID, reinterpret_cast<LPARAM>(&system));
}

int RowCountOf(HWND handle, bool list) {
  return static_cast<int>(SendMessageW(handle, list ? LB_GETCOUNT : CB_GETCOUNT, 0, 0));
}

void ShowRows(HWND handle, bool list, const std::vector<ComboEntry>& entries) {
  SendMessageW(handle, WM_SETREDRAW, FALSE, 0);
  SendMessageW(handle, list ? LB_RESETCONTENT : CB_RESETCONTENT, 0, 0);
  for (const ComboEntry& entry : entries) {
    SendMessageW(handle, list ? LB_ADDSTRING : CB_ADDSTRING, 0,
                 reinterpret_cast<LPARAM>(RowText(list, entry.text).c_str()));
  }
  SendMessageW(handle, WM_SETREDRAW, TRUE, 0);
  InvalidateRect(handle, nullptr, TRUE);
}

void ReplaceRowsOf(HWND handle, bool list, const std::vector<ComboEntry>& entries,
                   const ItemChange& change) {
  for (int i = 0; i < change.removed; ++i) {
    SendMessageW(handle, list ? LB_DELETESTRING : CB_DELETESTRING,
                 static_cast<WPARAM>(change.first), 0);
  }
  for (int i = change.first; i < change.first + change.inserted; ++i) {
    SendMessageW(
        handle, list ? LB_INSERTSTRING : CB_INSERTSTRING, static_cast<WPARAM>(i),
        reinterpret_cast<LPARAM>(RowText(list, entries[static_cast<std::size_t>(i)].text).c_str()));
  }
}

}  // namespace velmora
