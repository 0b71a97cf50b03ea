#include "win32/platform/win32_message_pump.h"

#include "win32/support/windows_api.h"

namespace tarvex::win32 {

void Win32MessagePump::ProcessMessages() {
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
    if (message.message == WM_QUIT) {
      // The request to end belongs to the main loop: put it back for it to see.
      ::PostQuitMessage(static_cast<int>(message.wParam));
      return;
    }
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
  }
}

}  // namespace tarvex::win32
