// The window system as user32 offers it.
#pragma once

#include "winlist/window_system.h"

namespace tarvex::win32 {

class Win32WindowSystem final : public WindowSystem {
 public:
  void Enumerate(EnumWindowsProc proc, std::intptr_t param) override;
  int WindowText(WinHandle window, char* buffer, int bufferSize) override;
  bool IsVisible(WinHandle window) override;
  WinHandle Owner(WinHandle window) override;
  WinHandle LastActivePopup(WinHandle window) override;
  bool Exists(WinHandle handle) override;
  std::int32_t WindowLong(WinHandle window, int index) override;
  int ClassName(WinHandle window, char* buffer, int bufferSize) override;
  std::uint32_t ThreadProcessId(WinHandle window, std::uint32_t* processId) override;
  void Show(WinHandle window, int showCommand) override;
  void BringToForeground(WinHandle window) override;
  void PostClose(WinHandle window) override;
};

}  // namespace tarvex::win32
