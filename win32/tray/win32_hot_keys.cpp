#include "win32/tray/win32_hot_keys.h"

namespace tarvex::win32 {

// A key another program holds, or nothing to unregister: the program goes on without.
void Win32HotKeys::Register(int id, int functionKey) {
  if (functionKey < 1 || functionKey > kLastFunctionKey) return;
  ::RegisterHotKey(window_, id, 0, static_cast<UINT>(VK_F1 + functionKey - 1));
}

void Win32HotKeys::Unregister(int id) { ::UnregisterHotKey(window_, id); }

}  // namespace tarvex::win32
