// The program's five states on the desktop (main window, taskbar button, tray icon) and every
// transition between them, with the hot key, the options dialog and the tray menu.
#include <gtest/gtest.h>

#include "sim/form_harness.h"

namespace tarvex {
namespace {

enum class Presence { Shown, Minimized, InTray, ShownWithIcon, MinimizedWithIcon, Other };

class PresenceTest : public ::testing::Test {
 protected:
  void SetUp() override {
    harness.form.FormCreate();
    harness.form.FormShow();  // a fresh settings file: minimize to tray, no hot key
  }
  Presence State() const {
    const auto& app = harness.application;
    const bool icon = harness.trayShell.shown;
    if (app.MainWindowVisible() && app.visible) {
      return icon ? Presence::ShownWithIcon : Presence::Shown;
    }
    if (app.visible && app.minimized)
      return icon ? Presence::MinimizedWithIcon : Presence::Minimized;
    if (!app.visible && icon) return Presence::InTray;
    return Presence::Other;
  }
  void Minimize(bool toTray) {
    MinimizeToTray = toTray;
    harness.application.UserMinimizes();
  }
  void HotKey() { harness.form.WMHotKey(kAppHotKeyId); }
  void DoubleClickIcon() {
    harness.form.TrayIcon1().TrayWndProc(TrayMouseEvent::kLeftDoubleClick, 0, 0, {});
  }
  void ChooseRestoreInTheTrayMenu() {
    harness.trayShell.chosen = 0;
    harness.form.TrayIcon1().TrayWndProc(TrayMouseEvent::kRightDown, 0, 0, {});
    harness.form.TrayIcon1().TrayWndProc(TrayMouseEvent::kRightUp, 0, 0, {});
  }

  sim::FormHarness harness;
};

TEST_F(PresenceTest, EveryTransitionOfTheFiveStates) {
  using enum Presence;
  EXPECT_TRUE(MinimizeToTray);
  EXPECT_EQ(State(), Shown);

  Minimize(false);
  EXPECT_EQ(State(), Minimized);
  harness.application.UserRestoresFromTaskbar();
  EXPECT_EQ(State(), Shown);
  Minimize(false);
  HotKey();
  EXPECT_EQ(State(), Shown);

  Minimize(true);
  EXPECT_EQ(State(), InTray);
  ChooseRestoreInTheTrayMenu();
  EXPECT_EQ(State(), ShownWithIcon);  // the icon stays after a restore from the tray
  Minimize(true);
  EXPECT_EQ(State(), InTray);
  DoubleClickIcon();
  EXPECT_EQ(State(), ShownWithIcon);
  Minimize(true);
  HotKey();
  EXPECT_EQ(State(), ShownWithIcon);

  const int front = harness.application.broughtToFront;
  HotKey();
  DoubleClickIcon();
  EXPECT_EQ(State(), ShownWithIcon);
  EXPECT_EQ(harness.application.broughtToFront, front + 2);

  Minimize(false);
  EXPECT_EQ(State(), MinimizedWithIcon);
  harness.application.UserRestoresFromTaskbar();
  EXPECT_EQ(State(), ShownWithIcon);
  for (int way = 0; way < 3; ++way) {
    Minimize(false);
    if (way == 0) HotKey();
    if (way == 1) DoubleClickIcon();
    if (way == 2) ChooseRestoreInTheTrayMenu();
    EXPECT_EQ(State(), ShownWithIcon) << "way " << way;
  }

  // Restoring from the taskbar with the option on takes the icon away.
  Minimize(false);
  MinimizeToTray = true;
  harness.application.UserRestoresFromTaskbar();
  EXPECT_EQ(State(), Shown);
}

// A box or dialog open over the window (the about box, the error box, the ignore list dialog)
// leaves with the window whichever way it goes, and is back with it whichever way it comes.
TEST_F(PresenceTest, OpenBoxesLeaveWithTheWindowAndComeBackWithIt) {
  auto& app = harness.application;
  const auto boxesBack = [&] { return app.openBoxes == 1 && app.hiddenBoxes == 0; };
  const auto boxesGone = [&] { return app.openBoxes == 0 && app.hiddenBoxes == 1; };
  app.openBoxes = 1;
  Minimize(false);
  EXPECT_TRUE(boxesGone());
  app.UserRestoresFromTaskbar();
  EXPECT_TRUE(boxesBack());
  Minimize(false);
  HotKey();
  EXPECT_TRUE(boxesBack());
  for (int way = 0; way < 3; ++way) {
    Minimize(true);
    EXPECT_TRUE(boxesGone()) << "way " << way;
    if (way == 0) HotKey();
    if (way == 1) DoubleClickIcon();
    if (way == 2) ChooseRestoreInTheTrayMenu();
    EXPECT_TRUE(boxesBack()) << "way " << way;
  }
  Minimize(false);
  EXPECT_TRUE(boxesGone());
  app.UserRestoresFromTaskbar();
  EXPECT_EQ(State(), Presence::ShownWithIcon);
  EXPECT_TRUE(boxesBack());
}

// A start asked to be minimized: the first show (settings, placement, first list) waits for the
// first restore, whichever way it comes.
TEST(MinimizedStartTest, GoesWhereTheOptionSaysAndShowsFirstAtTheFirstRestore) {
  for (const bool toTray : {true, false}) {
    sim::FormHarness harness;
    harness.SettingsText() =
        toTray ? "[Tarvex Window]\nLeft=50\n" : "[Tarvex Window]\nLeft=50\nMinimizeToTray=0\n";
    harness.desktop.Open("Notepad", 1);
    harness.form.FormCreate();
    harness.form.Start(true);
    SCOPED_TRACE(toTray ? "to the tray" : "to the taskbar");
    EXPECT_TRUE(harness.application.minimized);
    EXPECT_EQ(harness.application.visible, !toTray);
    EXPECT_EQ(harness.trayShell.shown, toTray);
    EXPECT_TRUE(harness.form.Rows().empty());
    EXPECT_TRUE(harness.hotKeys.calls.empty());
    EXPECT_EQ(harness.host.bounds, kDesignedBounds);
    // Closed before it was ever shown: nothing is written over the stored settings.
    harness.form.FormClose();
    EXPECT_EQ(harness.SettingsText().find("Top="), std::string::npos);

    if (toTray) {
      harness.form.TrayIcon1().TrayWndProc(TrayMouseEvent::kLeftDoubleClick, 0, 0, {});
    } else {
      harness.application.UserRestoresFromTaskbar();
    }
    EXPECT_TRUE(harness.application.MainWindowVisible());
    EXPECT_EQ(harness.form.Rows().size(), 1u);
    EXPECT_EQ(harness.host.bounds.left, 50);
    // Later restores show nothing again.
    harness.desktop.Open("Clock", 2);
    harness.application.UserMinimizes();
    harness.form.MnRestoreClick();
    EXPECT_EQ(harness.form.Rows().size(), 1u);
  }

  // A normal start shows at once.
  sim::FormHarness harness;
  harness.desktop.Open("Notepad", 1);
  harness.form.FormCreate();
  harness.form.Start(false);
  EXPECT_EQ(harness.form.Rows().size(), 1u);
}

TEST_F(PresenceTest, WithoutANotificationAreaMinimizingToTheTrayStaysOnTheTaskbar) {
  harness.trayShell.refuseAdd = true;
  Minimize(true);
  EXPECT_EQ(State(), Presence::Minimized);
  harness.application.UserRestoresFromTaskbar();
  EXPECT_EQ(State(), Presence::Shown);

  // The notification area comes back while the program waits minimized: the add is tried again
  // at the next change of the tip, and once the icon stands there the program goes to the tray.
  Minimize(true);
  harness.trayShell.refuseAdd = false;
  harness.desktop.Open("One", 1);
  harness.form.ExecuteAction(ActionId::ActRefresh);
  harness.form.ActRefreshUpdate();
  EXPECT_EQ(State(), Presence::InTray);
  HotKey();

  // A tray that has the icon's window but has not embedded it yet shows nothing: the program
  // stays on the taskbar until the icon stands in the tray, then goes there.
  harness.form.TrayIcon1().SetActive(false);
  harness.trayShell.embedsLater = true;
  Minimize(true);
  EXPECT_EQ(State(), Presence::Minimized);
  harness.trayShell.TrayEmbeds(harness.form.TrayIcon1());
  EXPECT_EQ(State(), Presence::InTray);
  // Brought back before the tray took the icon, the program stays in sight when it does.
  HotKey();
  harness.form.TrayIcon1().SetActive(false);
  Minimize(true);
  HotKey();
  harness.trayShell.TrayEmbeds(harness.form.TrayIcon1());
  EXPECT_EQ(State(), Presence::ShownWithIcon);
}

TEST_F(PresenceTest, OnlyTheProgramsOwnHotKeyRestoresAndTheTrayTipCountsApplications) {
  Minimize(false);
  harness.form.WMHotKey(7);
  EXPECT_EQ(State(), Presence::Minimized);

  HotKey();
  harness.desktop.Open("One", 1);
  harness.form.ExecuteAction(ActionId::ActRefresh);
  Minimize(true);
  harness.form.ActRefreshUpdate();
  ASSERT_TRUE(harness.trayShell.shown);
  EXPECT_EQ(harness.trayShell.calls.back().second.tip, "Tarvex 1.0\r1 applications");
}

TEST_F(PresenceTest, TheOptionsDialogReRegistersTheHotKeyOnOkOnly) {
  EXPECT_EQ(harness.hotKeys.calls, std::vector<std::string>{"unregister 105"});  // at first show
  harness.optionsDialog.user = [](TDlgOptions& dialog) { dialog.SetHotKeyIndex(5); };
  harness.optionsDialog.ok = false;
  harness.form.ExecuteAction(ActionId::ActOptions);
  EXPECT_EQ(HotKeyCode, 0);
  EXPECT_EQ(harness.hotKeys.calls.size(), 1u);

  harness.optionsDialog.ok = true;
  harness.form.ExecuteAction(ActionId::ActOptions);
  EXPECT_EQ(HotKeyCode, 5);
  EXPECT_EQ(harness.hotKeys.calls,
            (std::vector<std::string>{"unregister 105", "unregister 105", "register 105 F5"}));
  // Written only when the window closes.
  EXPECT_EQ(harness.files.files.count(sim::kSettingsFile), 0u);
  harness.form.FormClose();
  EXPECT_NE(harness.SettingsText().find("HotKeyCode=5"), std::string::npos);
}

TEST_F(PresenceTest, TheTrayMenuOffersRestoreAboutAndExitWithTheirHints) {
  const TPopupMenu& menu = harness.form.PopupMenu1();
  ASSERT_EQ(menu.items.size(), 4u);
  EXPECT_EQ(menu.items[0].caption, "Restore");
  EXPECT_TRUE(menu.items[0].isDefault);
  EXPECT_EQ(menu.items[1].caption, "About");
  EXPECT_EQ(menu.items[1].imageIndex, 10);
  EXPECT_EQ(menu.items[2].caption, "-");
  EXPECT_EQ(menu.items[3].caption, "E&xit");
  harness.form.Hints().MenuItemHovered(menu.items[3].hint);
  EXPECT_EQ(harness.status.panels[1], "Quits the application");

  Minimize(true);
  harness.trayShell.chosen = 3;
  harness.form.TrayIcon1().TrayWndProc(TrayMouseEvent::kRightDown, 0, 0, {});
  harness.form.TrayIcon1().TrayWndProc(TrayMouseEvent::kRightUp, 0, 0, {});
  EXPECT_EQ(harness.host.closed, 1);
}

}  // namespace
}  // namespace tarvex
