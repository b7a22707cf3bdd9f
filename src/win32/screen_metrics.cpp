#include "win32/screen_metrics.h"

#include <map>

namespace velmora {
namespace {

constexpr wchar_t kLayoutDpiProperty[] = L"VelmoraLayoutDpi";

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);

// Systems before Windows 10 have no per-window DPI: the system DPI stands for every monitor.
GetDpiForWindowFunction GetDpiForWindowIfPresent() {
  static const auto function =
      reinterpret_cast<GetDpiForWindowFunction>(reinterpret_cast<void (*)()>(
          GetProcAddress(GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  return function;
}

int CALLBACK NoteFamily(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

bool HasFontFamily(const wchar_t* family) {
  LOGFONTW wanted{};
  wanted.lfCharSet = DEFAULT_CHARSET;
  lstrcpynW(wanted.lfFaceName, family, LF_FACESIZE);
  bool found = false;
  const HDC screen = GetDC(nullptr);
  EnumFontFamiliesExW(screen, &wanted, NoteFamily, reinterpret_cast<LPARAM>(&found), 0);
  ReleaseDC(nullptr, screen);
  return found;
}

LOGFONTW BaseFont() {
  LOGFONTW font{};
  GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(font), &font);
  if (HasFontFamily(L"Microsoft YaHei")) {
    lstrcpynW(font.lfFaceName, L"Microsoft YaHei", LF_FACESIZE);
    font.lfHeight = -12;  // 9 points at 96 DPI
    font.lfCharSet = DEFAULT_CHARSET;
  }
  return font;
}

}  // namespace

int DpiOf(HWND window) {
  if (const GetDpiForWindowFunction function = GetDpiForWindowIfPresent();
      function != nullptr && window != nullptr) {
    if (const UINT dpi = function(window); dpi != 0) return static_cast<int>(dpi);
  }
  const HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
  ReleaseDC(nullptr, screen);
  return dpi > 0 ? dpi : kLayoutDpi;
}

WindowFit FitTopWindow(HWND window, const LayoutEntry& own) {
  RECT outer{};
  RECT client{};
  GetWindowRect(window, &outer);
  GetClientRect(window, &client);
  const WindowFrame frame{outer.right - outer.left - client.right,
                          outer.bottom - outer.top - client.bottom};
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ScreenRect work{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
  if (GetMonitorInfoW(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    const RECT& area = monitor.rcWork;
    work = {area.left, area.top, area.right - area.left, area.bottom - area.top};
  }
  const WindowFit fit = FitWindow(own.width, own.height, frame, work, DpiOf(window),
                                  (own.style & kStyleCentreOnScreen) != 0);
  SetPropW(window, kLayoutDpiProperty, reinterpret_cast<HANDLE>(static_cast<INT_PTR>(fit.dpi)));
  return fit;
}

int LayoutDpiOf(HWND window) {
  const auto dpi =
      reinterpret_cast<INT_PTR>(GetPropW(GetAncestor(window, GA_ROOT), kLayoutDpiProperty));
  return dpi > 0 ? static_cast<int>(dpi) : DpiOf(window);
}

int SystemMetricAt(int index, int dpi) {
  return MulDiv(GetSystemMetrics(index), dpi, DpiOf(nullptr));
}

HFONT ControlFont(int dpi) {
  static const LOGFONTW base = BaseFont();
  static std::map<int, HFONT> fonts;
  HFONT& font = fonts[dpi];
  if (font == nullptr) {
    LOGFONTW scaled = base;
    // Rounded toward zero, unlike the boxes: a caption that just fits its box at 1:1 (the
    // two characters of the title label in 24 pixels) still fits at a scale between whole pixels.
    scaled.lfHeight = base.lfHeight * dpi / kLayoutDpi;
    font = CreateFontIndirectW(&scaled);
  }
  return font;
}

}  // namespace velmora
