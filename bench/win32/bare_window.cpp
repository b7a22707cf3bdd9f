// The floor of the launch benchmark: a plain Win32 window of the main window's outer size with
// one button, nothing else; closing it ends the program with 0.

#include <windows.h>

namespace {

LRESULT CALLBACK BareWindowProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(window, message, wparam, lparam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int show) {
  WNDCLASSW window_class{};
  window_class.lpfnWndProc = BareWindowProc;
  window_class.hInstance = instance;
  window_class.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  window_class.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  window_class.lpszClassName = L"BareWindow";
  RegisterClassW(&window_class);
  constexpr int kWidth = 981;
  constexpr int kHeight = 621;
  const int left = (GetSystemMetrics(SM_CXSCREEN) - kWidth) / 2;
  const int top = (GetSystemMetrics(SM_CYSCREEN) - kHeight) / 2;
  HWND window =
      CreateWindowExW(0, L"BareWindow", L"BareWindow", WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, left,
                      top, kWidth, kHeight, nullptr, nullptr, instance, nullptr);
  CreateWindowExW(0, L"BUTTON", L"OK", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, 16, 16, 96, 24,
                  window, nullptr, instance, nullptr);
  ShowWindow(window, show);
  UpdateWindow(window);
  MSG message;
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
