#include "win32/views/dpi_scale.h"

namespace tarvex::win32 {
namespace {

int SystemDpi() {
  const HDC screen = ::GetDC(nullptr);
  const int dotsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  return dotsPerInch > 0 ? dotsPerInch : kDesignDpi;
}

}  // namespace

int WindowDpi(HWND window) {
  // Looked up, not linked: the program must start on systems that lack it. user32 is loaded
  // already, so no library search happens.
  using GetDpiForWindowCall = UINT(WINAPI*)(HWND);
  static const auto getDpiForWindow = reinterpret_cast<GetDpiForWindowCall>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"user32.dll"), "GetDpiForWindow")));
  if (getDpiForWindow != nullptr) {
    if (const UINT dotsPerInch = getDpiForWindow(window); dotsPerInch > 0) {
      return static_cast<int>(dotsPerInch);
    }
  }
  return SystemDpi();
}

}  // namespace tarvex::win32
