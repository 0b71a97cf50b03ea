#include "win32/platform/win32_web_browser.h"

#include "win32/support/windows_api.h"

namespace tarvex::win32 {

void Win32WebBrowser::OpenAddress(const std::string& address) {
  // The default verb, no parameters, no working folder; the shell reports nothing we act on.
  ::ShellExecuteA(nullptr, nullptr, address.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

}  // namespace tarvex::win32
