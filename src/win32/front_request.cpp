#include "win32/front_request.h"

#include "win32/wide_text.h"

namespace velmora {

namespace {

constexpr DWORD kStepMs = 100;
// Any value but null: GetPropW answers null for a window without the property.
const HANDLE kMarked = reinterpret_cast<HANDLE>(static_cast<INT_PTR>(1));

std::wstring PropertyName(const std::string& key) {
  return L"Velmora.RunDirectory." + WideFromUtf8(key);
}

struct Search {
  const std::wstring* property;
  HWND found;
};

BOOL CALLBACK LookAt(HWND window, LPARAM search_address) {
  auto& search = *reinterpret_cast<Search*>(search_address);
  if (GetPropW(window, search.property->c_str()) == nullptr) return TRUE;
  search.found = window;
  return FALSE;
}

HWND FindMarked(const std::wstring& property) {
  Search search{&property, nullptr};
  EnumWindows(LookAt, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

}  // namespace

HolderMark::HolderMark(HWND window, const std::string& key)
    : window_(window), property_(PropertyName(key)) {
  if (window_ != nullptr) SetPropW(window_, property_.c_str(), kMarked);
}

HolderMark::~HolderMark() {
  if (window_ != nullptr && IsWindow(window_)) RemovePropW(window_, property_.c_str());
}

bool RequestFront(const std::string& key, DWORD timeout_ms) {
  const std::wstring property = PropertyName(key);
  const ULONGLONG start = GetTickCount64();
  HWND window = FindMarked(property);
  while (window == nullptr && GetTickCount64() - start < timeout_ms) {
    Sleep(kStepMs);
    window = FindMarked(property);
  }
  if (window == nullptr) return false;
  if (IsIconic(window)) ShowWindow(window, SW_RESTORE);
  // A message box or input box open over the main window is where the user's answer waits.
  SetForegroundWindow(GetLastActivePopup(window));
  return true;
}

}  // namespace velmora
