// The global hot keys, registered on the main window, which receives their WM_HOTKEY.
#pragma once

#include "win32/support/windows_api.h"

#include "tray/hot_key.h"

namespace tarvex::win32 {

class Win32HotKeys final : public HotKeys {
 public:
  explicit Win32HotKeys(HWND window) : window_(window) {}

  void Register(int id, int functionKey) override;
  void Unregister(int id) override;

 private:
  HWND window_;
};

}  // namespace tarvex::win32
