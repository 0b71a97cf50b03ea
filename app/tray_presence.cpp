#include "app/tray_presence.h"

#include <utility>

#include "app/action_list.h"
#include "app/kelvo_apps.h"
#include "base/format.h"
#include "settings/options.h"

namespace tarvex {

TrayPresence::TrayPresence(TrayShell& shell, MessagePump& pump, ApplicationWindow& application,
                           const std::function<void(ActionId)>& execute)
    : application_(application), icon_(shell, pump) {
  const ActionInfo& about = ActionOf(ActionId::ActAbout);
  const ActionInfo& exit = ActionOf(ActionId::ActExit);
  menu_.items = {
      {"Restore", "", true, true, -1, [this] { Restore(); }},
      {about.caption, about.hint, false, true, about.imageIndex,
       [execute] { execute(ActionId::ActAbout); }},
      {"-", "", false, true, -1, nullptr},
      {exit.caption, exit.hint, false, true, exit.imageIndex,
       [execute] { execute(ActionId::ActExit); }},
  };
  icon_.SetIcon(shell.ProgramIcon());
  icon_.SetPopupMenu(&menu_);
  icon_.OnShown = [this] { IconShown(); };
}

void TrayPresence::ShowAtFirstRestore(std::function<void()> firstShow) {
  firstShowOwed_ = std::move(firstShow);
}

void TrayPresence::ShowFirstIfOwed() {
  if (!firstShowOwed_) return;
  const std::function<void()> firstShow = std::exchange(firstShowOwed_, nullptr);
  firstShow();
}

void TrayPresence::Restore() {
  goingToTray_ = false;
  ShowFirstIfOwed();
  application_.ShowNormal();
  application_.ShowHiddenBoxes();
  application_.BringToForeground();
}

void TrayPresence::ChooseRestore() {
  const TMenuItem& restore = menu_.items.front();
  if (restore.enabled) restore.onClick();
}

void TrayPresence::Minimized() {
  // A box or dialog open over the window goes with it: left on the screen it would stand for a
  // program that is not there, and hidden behind it, it must come back with the window, or the
  // window would be back and blocked by a box nobody can reach.
  application_.HideOpenBoxes();
  if (!MinimizeToTray) return;
  // Without an icon in a notification area there is nothing to come back by: hidden, the
  // program would be out of the user's reach, so it stays minimized on the taskbar until the
  // icon stands there (an add that failed succeeds at a later try; an X11 tray embeds the icon
  // a moment after the add, or never).
  goingToTray_ = true;
  icon_.SetActive(true);
  IconShown();
}

void TrayPresence::IconShown() {
  if (!goingToTray_ || !icon_.Present()) return;
  goingToTray_ = false;
  application_.Hide();
}

void TrayPresence::Restored() {
  goingToTray_ = false;
  ShowFirstIfOwed();
  application_.ShowHiddenBoxes();
  if (!MinimizeToTray) return;
  application_.ShowNormal();
  icon_.SetActive(false);
}

void TrayPresence::ShowApplicationCount(int count) {
  icon_.SetHint(Format("%s\r%d applications", AppTitle.c_str(), count));
}

}  // namespace tarvex
