#include "win32/screen_metrics.h"

#include <map>

namespace velmora {
namespace {

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

HFONT ControlFont(int dpi) {
  static const LOGFONTW base = BaseFont();
  static std::map<int, HFONT> fonts;
  HFONT& font = fonts[dpi];
  if (font == nullptr) {
    LOGFONTW scaled = base;
    scaled.lfHeight = Scaled(base.lfHeight, dpi);
    font = CreateFontIndirectW(&scaled);
  }
  return font;
}

}  // namespace velmora
