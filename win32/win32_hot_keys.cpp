#include "win32/win32_hot_keys.h"

namespace tarvex::win32 {

// A key another program holds, or nothing to unregister: the program goes on without.
void Win32HotKeys::Register(int id, std::uint32_t virtualKey) {
  ::RegisterHotKey(window_, id, 0, virtualKey);
}

void Win32HotKeys::Unregister(int id) { ::UnregisterHotKey(window_, id); }

}  // namespace tarvex::win32
