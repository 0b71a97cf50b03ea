// What the tray icon needs from the platform: the shell's notification area, and its own hidden
// window that receives the icon's mouse notifications and hosts the tray menu.
#pragma once

#include <cstdint>
#include <string>

#include "winlist/icon_source.h"

namespace tarvex {

inline constexpr std::uint32_t kTrayCallbackMessage = 0xB054;
inline constexpr std::uint32_t kNifMessageIconTip = 7;  // NIF_MESSAGE | NIF_ICON | NIF_TIP
inline constexpr IconHandle kNoIcon = 0xFFFFFFFFu;      // the record's icon without a picture

// The notification record, in its first form: callback message, icon and a tooltip of at most
// 63 characters.
struct NotifyIconRecord {
  std::uint32_t flags = kNifMessageIconTip;
  std::uint32_t callbackMessage = kTrayCallbackMessage;
  IconHandle icon = kNoIcon;
  std::string tip;
  bool operator==(const NotifyIconRecord&) const = default;
};

enum class NotifyIconOperation { kAdd, kModify, kDelete };

class TrayShell {
 public:
  virtual ~TrayShell() = default;
  // The program's own main icon, the picture the tray shows.
  virtual IconHandle ProgramIcon() = 0;
  // The shell's call for the program's one icon; whether it succeeded.
  virtual bool NotifyIcon(NotifyIconOperation operation, const NotifyIconRecord& record) = 0;
  // Whether the icon it accepted stands in a notification area now. The Windows shell shows it
  // once the add has succeeded; an X11 tray only once it has embedded the icon's window, which
  // the shell then reports through TTrayIcon::ShellShowedIcon.
  virtual bool IconShown() = 0;
  // Ends any mouse capture or drag in the program's active window (or its main window).
  virtual void CancelMode() = 0;
  // Makes the tray window the foreground window when it is enabled, so the menu closes when the
  // user clicks elsewhere.
  virtual void ForegroundTrayWindow() = 0;
  // Shows the menu at the point, tracking the right button; returns when it closes. The chosen
  // item's index, or -1 for none.
  virtual int PopupMenu(int x, int y) = 0;
};

}  // namespace tarvex
