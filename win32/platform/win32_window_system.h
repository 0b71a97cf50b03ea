// The window system as user32 offers it.
#pragma once

#include "win32/support/windows_api.h"

#include <exception>

#include "win32/platform/dwm_cloak_query.h"
#include "winlist/window_system.h"

namespace tarvex::win32 {

class Win32WindowSystem final : public WindowSystem {
 public:
  // How many enumerations the calling thread has begun. Each one begins a pass of the
  // enumerator, which lasts until the next: what a pass reads about the running processes may be
  // read once for the whole pass.
  static std::uint64_t PassesBegun();

  void Enumerate(EnumWindowsProc proc, std::intptr_t param) override;
  int WindowText(WinHandle window, char* buffer, int bufferSize) override;
  bool IsVisible(WinHandle window) override;
  bool IsCloaked(WinHandle window) override;
  WinHandle Owner(WinHandle window) override;
  WinHandle LastActivePopup(WinHandle window) override;
  bool Exists(WinHandle handle) override;
  std::int32_t WindowLong(WinHandle window, int index) override;
  int ClassName(WinHandle window, char* buffer, int bufferSize) override;
  std::uint32_t ThreadProcessId(WinHandle window, std::uint32_t* processId) override;
  // Asking would cost a round trip to Wine's server per window, and Windows seldom hands a
  // handle value to another window (its high word counts the slot's reuses): the commands ask
  // before they act instead.
  bool CreatorsComeWithThePass() const override { return false; }
  void PassOver() override {}
  void Show(WinHandle window, int showCommand) override;
  void BringToForeground(WinHandle window) override;
  void PostClose(WinHandle window) override;

 private:
  // The enumeration visits one window at a time. Under Wine every question about another
  // process's window is a round trip to the server, and IsWindowVisible alone costs more than one:
  // the filter's questions about the visited window's style and visibility (a top-level window
  // is visible exactly when its own style says so) are answered from one reading of its style.
  struct Visited {
    WinHandle window = 0;
    bool styleRead = false;
    std::uint32_t style = 0;
  };
  struct Enumeration {
    Win32WindowSystem& system;
    EnumWindowsProc proc;
    std::intptr_t param;
    std::exception_ptr failure;
  };
  static BOOL CALLBACK EnumerateOne(HWND window, LPARAM enumeration);
  // The visited window's style, read once per visit; nullptr for any other window.
  const std::uint32_t* VisitedStyle(WinHandle window);

  Visited visited_;
  DwmCloakQuery cloak_;
};

}  // namespace tarvex::win32
