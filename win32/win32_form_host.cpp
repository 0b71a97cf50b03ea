#include "win32/win32_form_host.h"

namespace tarvex::win32 {

void Win32FormHost::Close() {
  // Posted, not sent: the request may come from inside a control's click or a menu, which must
  // not see its window destroyed under it.
  ::PostMessageA(window_, WM_CLOSE, 0, 0);
}

void Win32FormHost::SetApplicationTitle(const std::string& title) {
  // The main window carries the program's taskbar entry, which shows its caption.
  ::SetWindowTextA(window_, title.c_str());
}

}  // namespace tarvex::win32
