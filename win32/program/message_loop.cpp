#include "win32/program/message_loop.h"

namespace tarvex::win32 {

int RunMessageLoop(MainWindow& mainWindow) {
  for (;;) {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      if (message.message == WM_QUIT) return static_cast<int>(message.wParam);
      if (mainWindow.TranslateShortcut(message)) continue;
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
    mainWindow.Idle();
    ::WaitMessage();
  }
}

}  // namespace tarvex::win32
