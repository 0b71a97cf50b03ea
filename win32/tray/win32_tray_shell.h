// The notification area for the tray icon: the hidden TrayWindow that receives the icon's mouse
// notifications and owns the tray menu, and the shell's Shell_NotifyIconA.
#pragma once

#include "win32/support/bound_window_proc.h"
#include "win32/support/windows_api.h"

#include <functional>
#include <optional>

#include "app/hint_line.h"
#include "tray/tray_icon.h"
#include "tray/tray_shell.h"
#include "win32/support/unique_handle.h"

namespace tarvex::win32 {

class Win32TrayShell final : public TrayShell {
 public:
  // The shell's call; the record is the first, shortest form of NOTIFYICONDATAA.
  using ShellCall = std::function<bool(DWORD operation, NOTIFYICONDATAA& data)>;

  explicit Win32TrayShell(ShellCall shellCall = RealShellCall);
  Win32TrayShell(const Win32TrayShell&) = delete;
  Win32TrayShell& operator=(const Win32TrayShell&) = delete;

  // The window the icon reports to. Made at the first need (the first icon): a top-level window
  // costs the start a round of the display server's, and a program that never goes to the tray
  // never needs one. Null where it cannot be made.
  HWND TrayWindow();
  // The icon and menu whose notification area this is, the hint line their hints go to, the main
  // window and the pictures of the menu's items; until then, and after Detach, the icon's
  // notifications are ignored.
  void Attach(TTrayIcon& icon, const TPopupMenu& menu, HintLine& hints, HWND mainWindow,
              HIMAGELIST pictures);
  void Detach();

  IconHandle ProgramIcon() override;
  bool NotifyIcon(NotifyIconOperation operation, const NotifyIconRecord& record) override;
  // The shell shows an icon from the moment its add succeeds.
  bool IconShown() override { return true; }
  void CancelMode() override;
  void ForegroundTrayWindow() override;
  int PopupMenu(int x, int y) override;

  static bool RealShellCall(DWORD operation, NOTIFYICONDATAA& data);

 private:
  template <typename Owner>
  friend LRESULT CALLBACK BoundWindowProc(HWND, UINT, WPARAM, LPARAM);
  struct Client {
    TTrayIcon& icon;
    const TPopupMenu& menu;
    HintLine& hints;
  };

  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  UniqueMenu BuildMenu() const;

  ShellCall shellCall_;
  UniqueWindow window_;
  UniqueIcon programIcon_;
  std::optional<Client> client_;
  HWND mainWindow_ = nullptr;
  HIMAGELIST pictures_ = nullptr;
};

}  // namespace tarvex::win32
