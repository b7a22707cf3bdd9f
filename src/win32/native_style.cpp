#include "win32/native_style.h"

#include <algorithm>
#include <string>

#include "win32/screen_metrics.h"

namespace velmora {
namespace {

COLORREF Darkened(COLORREF colour, int amount) {
  return RGB(std::max(GetRValue(colour) - amount, 0), std::max(GetGValue(colour) - amount, 0),
             std::max(GetBValue(colour) - amount, 0));
}

COLORREF Mixed(COLORREF from, COLORREF to, int step, int steps) {
  const auto mix = [&](int a, int b) { return a + (b - a) * step / std::max(steps, 1); };
  return RGB(mix(GetRValue(from), GetRValue(to)), mix(GetGValue(from), GetGValue(to)),
             mix(GetBValue(from), GetBValue(to)));
}

COLORREF FaceColour() { return GetSysColor(COLOR_BTNFACE); }

COLORREF DisabledFrameColour() { return Darkened(FaceColour(), 32); }

void Fill(HDC dc, const RECT& rect, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FillRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

void Frame(HDC dc, const RECT& rect, COLORREF colour) {
  SetDCBrushColor(dc, colour);
  FrameRect(dc, &rect, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
}

std::wstring TextOf(HWND window) {
  std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(
      static_cast<std::size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

// A caption drawn within `area`, wrapped at words, vertically centred.
void DrawCaption(HDC dc, const std::wstring& text, RECT area, UINT align, bool enabled) {
  RECT measured = area;
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &measured,
            DT_CALCRECT | DT_WORDBREAK | align);
  const int height = measured.bottom - measured.top;
  if (height < area.bottom - area.top) {
    area.top += (area.bottom - area.top - height) / 2;
    area.bottom = area.top + height;
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_WORDBREAK | align);
}

int CheckSize(HWND control) { return Scaled(13, LayoutDpiOf(control)); }

}  // namespace

void PaintEditFrame(HWND edit) {
  const bool enabled = IsWindowEnabled(edit) != FALSE;
  const bool read_only = (GetWindowLongPtrW(edit, GWL_STYLE) & ES_READONLY) != 0;
  RECT outer{};
  GetWindowRect(edit, &outer);
  OffsetRect(&outer, -outer.left, -outer.top);
  RECT inner = outer;
  InflateRect(&inner, -1, -1);
  const HDC dc = GetWindowDC(edit);
  Frame(dc, outer, enabled ? kFrameColour : DisabledFrameColour());
  Frame(dc, inner, enabled && !read_only ? GetSysColor(COLOR_WINDOW) : FaceColour());
  ReleaseDC(edit, dc);
}

void PaintGroupBox(HWND group, HDC dc) {
  RECT area{};
  GetClientRect(group, &area);
  Fill(dc, area, FaceColour());
  const HGDIOBJ old_font =
      SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(group, WM_GETFONT, 0, 0)));
  const std::wstring caption = TextOf(group);
  SIZE extent{};
  GetTextExtentPoint32W(dc, L"M", 1, &extent);
  RECT frame = area;
  frame.top += extent.cy / 2;
  const HGDIOBJ old_pen = SelectObject(dc, GetStockObject(DC_PEN));
  const HGDIOBJ old_brush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  SetDCPenColor(dc, kFrameColour);
  const int radius = Scaled(6, LayoutDpiOf(group));
  RoundRect(dc, frame.left, frame.top, frame.right, frame.bottom, radius, radius);
  SelectObject(dc, old_brush);
  SelectObject(dc, old_pen);
  if (!caption.empty()) {
    const int indent = Scaled(8, LayoutDpiOf(group));
    RECT text{area.left + indent, area.top, area.right - indent, area.top + extent.cy};
    RECT measured = text;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured,
              DT_CALCRECT | DT_SINGLELINE);
    measured.right = std::min(measured.right + 2, text.right);
    measured.left -= 2;
    Fill(dc, measured, FaceColour());
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(IsWindowEnabled(group) ? COLOR_WINDOWTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &text,
              DT_SINGLELINE | DT_END_ELLIPSIS);
  }
  SelectObject(dc, old_font);
}

namespace {

// A raised face from light to the button colour, sunk when pressed, blue under the mouse, in a
// frame-coloured border.
void PaintButtonFace(HDC dc, const RECT& area, bool pressed, bool enabled, bool hot = false) {
  const COLORREF face = FaceColour();
  COLORREF top = pressed ? Darkened(face, 24) : RGB(252, 252, 252);
  COLORREF bottom = pressed ? Darkened(face, 12) : Darkened(face, 10);
  if (hot && !pressed && enabled) {
    top = RGB(229, 241, 251);
    bottom = RGB(214, 230, 245);
  }
  const int height = area.bottom - area.top;
  for (int row = 0; row < height; ++row) {
    const RECT line{area.left, area.top + row, area.right, area.top + row + 1};
    Fill(dc, line, Mixed(top, bottom, row, height - 1));
  }
  Frame(dc, area, enabled ? kFrameColour : DisabledFrameColour());
}

}  // namespace

void DrawPushButton(const DRAWITEMSTRUCT& item, bool hot) {
  const HDC dc = item.hDC;
  const RECT& area = item.rcItem;
  const bool enabled = !(item.itemState & ODS_DISABLED);
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  PaintButtonFace(dc, area, pressed, enabled, hot);
  RECT text = area;
  InflateRect(&text, -3, -2);
  if (pressed) OffsetRect(&text, 1, 1);
  DrawCaption(dc, TextOf(item.hwndItem), text, DT_CENTER, enabled);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = area;
    InflateRect(&focus, -3, -3);
    DrawFocusRect(dc, &focus);
  }
}

void DrawCheckBox(const DRAWITEMSTRUCT& item, bool checked, bool centred) {
  const HDC dc = item.hDC;
  const RECT& area = item.rcItem;
  const bool enabled = !(item.itemState & ODS_DISABLED);
  Fill(dc, area, FaceColour());
  const int box = CheckSize(item.hwndItem);
  const int gap = box / 3 + 1;
  const std::wstring caption = TextOf(item.hwndItem);
  RECT text{area.left + box + gap, area.top, area.right, area.bottom};
  int left = area.left;
  if (centred) {
    RECT measured = text;
    DrawTextW(dc, caption.c_str(), static_cast<int>(caption.size()), &measured,
              DT_CALCRECT | DT_WORDBREAK);
    const int content = std::min(box + gap + static_cast<int>(measured.right - measured.left),
                                 static_cast<int>(area.right - area.left));
    left = area.left + (area.right - area.left - content) / 2;
    text.left = left + box + gap;
    text.right = std::min(text.left + (measured.right - measured.left) + 1, area.right);
  }
  const int top = area.top + (area.bottom - area.top - box) / 2;
  RECT outer{left, top, left + box, top + box};
  RECT inner = outer;
  InflateRect(&inner, -1, -1);
  const bool pressed = (item.itemState & ODS_SELECTED) != 0;
  Fill(dc, inner, enabled && !pressed ? GetSysColor(COLOR_WINDOW) : FaceColour());
  Frame(dc, outer, enabled ? kFrameColour : DisabledFrameColour());
  if (checked) {
    const HPEN pen =
        CreatePen(PS_SOLID, std::max(box / 8, 1), enabled ? RGB(33, 64, 95) : RGB(140, 140, 140));
    const HGDIOBJ old_pen = SelectObject(dc, pen);
    const POINT tick[] = {{outer.left + box / 5, outer.top + box / 2},
                          {outer.left + box * 2 / 5, outer.bottom - box / 4},
                          {outer.right - box / 5, outer.top + box / 5}};
    Polyline(dc, tick, 3);
    SelectObject(dc, old_pen);
    DeleteObject(pen);
  }
  DrawCaption(dc, caption, text, DT_LEFT, enabled);
  if ((item.itemState & ODS_FOCUS) && !(item.itemState & ODS_NOFOCUSRECT)) {
    RECT focus = text;
    InflateRect(&focus, 1, -1);
    DrawFocusRect(dc, &focus);
  }
}

void PaintComboBox(HWND combo, HDC dc) {
  const bool enabled = IsWindowEnabled(combo) != FALSE;
  RECT area{};
  GetClientRect(combo, &area);
  RECT inner = area;
  InflateRect(&inner, -1, -1);
  Fill(dc, inner, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
  Frame(dc, area, enabled ? kFrameColour : DisabledFrameColour());
  Frame(dc, inner, GetSysColor(enabled ? COLOR_WINDOW : COLOR_BTNFACE));
  // At the scale of the window, not the system's twice over: at 200 % that took so much of the
  // box that its entry was cut.
  const int arrow_width = SystemMetricAt(SM_CXVSCROLL, LayoutDpiOf(combo));
  RECT button{std::max(area.right - 2 - arrow_width, area.left + 2), area.top + 2, area.right - 2,
              area.bottom - 2};
  const bool dropped = SendMessageW(combo, CB_GETDROPPEDSTATE, 0, 0) != FALSE;
  PaintButtonFace(dc, button, dropped, enabled);
  // The arrow: a small triangle pointing down in the middle of the button.
  const int size = std::max(static_cast<int>(button.right - button.left) / 4, 2);
  const int middle = static_cast<int>(button.left + button.right) / 2;
  const int top = static_cast<int>(button.top + button.bottom - size) / 2;
  const POINT arrow[] = {{middle - size, top}, {middle + size, top}, {middle, top + size}};
  SetDCBrushColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  SetDCPenColor(dc, GetSysColor(enabled ? COLOR_BTNTEXT : COLOR_GRAYTEXT));
  const HGDIOBJ old_brush = SelectObject(dc, GetStockObject(DC_BRUSH));
  const HGDIOBJ old_pen = SelectObject(dc, GetStockObject(DC_PEN));
  Polygon(dc, arrow, 3);
  SelectObject(dc, old_pen);
  SelectObject(dc, old_brush);

  RECT text{area.left + 2, area.top + 2, button.left, area.bottom - 2};
  const bool focused = GetFocus() == combo && !dropped;
  if (focused) Fill(dc, text, GetSysColor(COLOR_HIGHLIGHT));
  const LRESULT selection = SendMessageW(combo, CB_GETCURSEL, 0, 0);
  if (selection != CB_ERR) {
    std::wstring entry(
        static_cast<std::size_t>(SendMessageW(combo, CB_GETLBTEXTLEN, selection, 0)) + 1, L'\0');
    entry.resize(static_cast<std::size_t>(std::max<LRESULT>(
        SendMessageW(combo, CB_GETLBTEXT, selection, reinterpret_cast<LPARAM>(entry.data())), 0)));
    const HGDIOBJ old_font =
        SelectObject(dc, reinterpret_cast<HGDIOBJ>(SendMessageW(combo, WM_GETFONT, 0, 0)));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, GetSysColor(!enabled  ? COLOR_GRAYTEXT
                                 : focused ? COLOR_HIGHLIGHTTEXT
                                           : COLOR_WINDOWTEXT));
    RECT inset = text;
    inset.left += 2;
    DrawTextW(dc, entry.c_str(), static_cast<int>(entry.size()), &inset,
              DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_NOPREFIX);
    SelectObject(dc, old_font);
  }
  if (focused) DrawFocusRect(dc, &text);
}

void PaintDropDownFrame(HWND list) {
  RECT outer{};
  GetWindowRect(list, &outer);
  OffsetRect(&outer, -outer.left, -outer.top);
  const HDC dc = GetWindowDC(list);
  Frame(dc, outer, kFrameColour);
  ReleaseDC(list, dc);
}

}  // namespace velmora
