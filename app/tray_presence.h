// Where the program stands while minimized: on the taskbar, or in the notification area when the
// option says so and an icon stands there to come back by. The boxes and dialogs open over the
// window leave and come back with it. Owns the tray icon, its menu and its tooltip.
#pragma once

#include <functional>

#include "app/action_id.h"
#include "services/ui_services.h"
#include "tray/application_window.h"
#include "tray/tray_icon.h"
#include "tray/tray_shell.h"

namespace tarvex {

class TrayPresence {
 public:
  // The menu's commands other than "Restore" run as `execute` runs actions.
  TrayPresence(TrayShell& shell, MessagePump& pump, ApplicationWindow& application,
               const std::function<void(ActionId)>& execute);

  TTrayIcon& Icon() { return icon_; }
  const TTrayIcon& Icon() const { return icon_; }
  const TPopupMenu& Menu() const { return menu_; }

  // A start asked to be minimized: `firstShow` waits for the first restore, however it comes.
  void ShowAtFirstRestore(std::function<void()> firstShow);
  // The menu's "Restore", also run by a double click on the icon.
  void Restore();
  // Runs the menu's "Restore" exactly as if the user had chosen it: only while it is enabled.
  void ChooseRestore();
  // The application's minimized and restored notifications.
  void Minimized();
  void Restored();
  // The tray icon has come to stand in a notification area.
  void IconShown();
  // The icon's tooltip: the program's title and how many applications the list holds.
  void ShowApplicationCount(int count);

 private:
  void ShowFirstIfOwed();

  ApplicationWindow& application_;
  TPopupMenu menu_;
  TTrayIcon icon_;
  // Minimized to the tray while no notification area showed the icon yet: the program goes
  // there once one does, unless it has been brought back before.
  bool goingToTray_ = false;
  std::function<void()> firstShowOwed_;
};

}  // namespace tarvex
