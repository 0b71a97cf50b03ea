// The real program among real X clients under openbox: which windows it lists and with which
// processes, what its commands do to exactly the windows the user chose, and a storm of windows
// while it refreshes. Everything is checked from outside, with wmctrl and xprop.
#include <gtest/gtest.h>
#include <signal.h>

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <fstream>
#include <set>
#include <sstream>

#include "desktop_harness.h"
#include "program_on_desktop.h"
#include "settings/options.h"

namespace tarvex::e2e {
namespace {

using x11::testing::ActiveWindow;
using x11::testing::Output;
using x11::testing::TestClient;
using x11::testing::WaitUntil;
using x11::testing::WmctrlWindows;

const char* const kOwnTitle = "Tarvex 1.0";
// Windows the manager keeps that a taskbar leaves out.
const std::set<std::string> kNotApplications = {"E2E dialog", "E2E dock", "E2E skip taskbar"};

class DesktopTest : public ::testing::Test {
 protected:
  void StartApplications() {
    desktop.StartXterm("E2E term one");
    desktop.StartXterm("E2E term two");
    desktop.Start("xeyes", {"xeyes"});
    desktop.Start("xclock", {"xclock"});
    desktop.StartOddWindows();
    desktop.WaitUntilManaged();
  }
  // What the list must show: every window wmctrl lists, less ours and the non-applications, with
  // the pid wmctrl reports, or, where the window has no _NET_WM_PID, that of the process we
  // started it from.
  std::vector<Row> ExpectedRows() const {
    std::vector<Row> rows;
    for (const auto& listed : WmctrlWindows()) {
      if (listed.caption == kOwnTitle || kNotApplications.count(listed.caption) != 0) continue;
      const pid_t pid =
          listed.pid != 0 ? static_cast<pid_t>(listed.pid) : desktop.PidOf(listed.caption);
      rows.push_back({listed.caption, std::to_string(pid)});
    }
    std::sort(rows.begin(), rows.end());
    return rows;
  }
  static std::vector<Row> Sorted(std::vector<Row> rows) {
    std::sort(rows.begin(), rows.end());
    return rows;
  }

  Desktop desktop;
};

std::string Describe(const std::vector<Row>& rows) {
  std::string text;
  for (const Row& row : rows) text += "[" + row.caption + " " + row.pid + "] ";
  return text;
}

TEST_F(DesktopTest, ListsExactlyTheApplicationWindowsWithTheirProcesses) {
  StartApplications();
  ProgramOnDesktop tarvex;
  tarvex.Keys(Qt::Key_F5);

  const std::vector<Row> expected = ExpectedRows();
  EXPECT_EQ(Describe(Sorted(tarvex.Rows())), Describe(expected)) << Output("wmctrl -lp");
  // The clients set no _NET_WM_PID here: the row names their process all the same.
  for (const char* caption : {"xeyes", "E2E no pid"}) {
    EXPECT_EQ(tarvex.Rows()[static_cast<std::size_t>(tarvex.RowOf(caption))].pid,
              std::to_string(desktop.PidOf(caption)))
        << caption;
  }
  for (const char* caption : {"E2E term one", "E2E term two", "xclock"}) {
    EXPECT_EQ(tarvex.Rows()[static_cast<std::size_t>(tarvex.RowOf(caption))].pid,
              std::to_string(desktop.PidOf(caption)))
        << caption;
  }
  EXPECT_TRUE(tarvex.boxes.shown.empty()) << tarvex.boxes.shown.front();
}

TEST_F(DesktopTest, CommandsActOnExactlyTheCheckedOrSelectedWindows) {
  StartApplications();
  ProgramOnDesktop tarvex;
  tarvex.Keys(Qt::Key_F5);
  const std::vector<std::string> all = {"E2E term one", "E2E term two", "xeyes", "xclock",
                                        "E2E no pid"};
  const std::set<std::string> chosen = {"E2E term one", "xclock", "E2E no pid"};
  for (const std::string& caption : chosen) {
    tarvex.ClickCheckBox(caption);
    ASSERT_TRUE(tarvex.Checked(caption)) << "the click missed the check box of " << caption;
  }

  tarvex.Keys(Qt::Key_M, Qt::ControlModifier);
  for (const std::string& caption : chosen) {
    EXPECT_TRUE(Eventually([&] { return WindowState(desktop.WindowOf(caption)) == "Iconic"; }))
        << caption << " was not minimized";
  }
  ProgramOnDesktop::Settle(300);  // a stray request would have arrived by now
  for (const std::string& caption : all) {
    if (chosen.count(caption) == 0) {
      EXPECT_EQ(WindowState(desktop.WindowOf(caption)), "Normal") << caption;
    }
  }

  // Restore brings back only the checked one of the minimized windows.
  tarvex.Keys(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
  tarvex.ClickCheckBox("E2E term one");
  tarvex.Keys(Qt::Key_R, Qt::ControlModifier);
  EXPECT_TRUE(Eventually([&] { return WindowState(desktop.WindowOf("E2E term one")) == "Normal"; }))
      << "the checked window did not come back";
  ProgramOnDesktop::Settle(300);
  for (const char* caption : {"xclock", "E2E no pid"}) {
    EXPECT_EQ(WindowState(desktop.WindowOf(caption)), "Iconic")
        << caption << " came back unchecked";
  }

  tarvex.Keys(Qt::Key_A, Qt::ControlModifier);
  tarvex.Keys(Qt::Key_R, Qt::ControlModifier);
  for (const std::string& caption : all) {
    EXPECT_TRUE(Eventually([&] { return WindowState(desktop.WindowOf(caption)) == "Normal"; }))
        << caption << " did not come back";
  }

  // Switch To follows the selection, not the check marks, and brings a minimized window back.
  tarvex.Keys(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
  tarvex.ClickCheckBox("E2E term two");
  tarvex.Keys(Qt::Key_M, Qt::ControlModifier);
  ASSERT_TRUE(
      Eventually([&] { return WindowState(desktop.WindowOf("E2E term two")) == "Iconic"; }));
  tarvex.Keys(Qt::Key_A, Qt::ControlModifier | Qt::ShiftModifier);
  tarvex.ClickCheckBox("xeyes");
  tarvex.ClickCaption("E2E term two");
  tarvex.Keys(Qt::Key_F2);
  const xcb_window_t target = desktop.WindowOf("E2E term two");
  EXPECT_TRUE(Eventually([&] { return ActiveWindow() == target; }))
      << "active: " << ActiveWindow() << ", wanted " << target;
  EXPECT_EQ(WindowState(target), "Normal");

  // Terminate asks the checked ones to close; they go, and leave the list.
  tarvex.ClickCheckBox("E2E term two");
  ASSERT_TRUE(tarvex.Checked("xeyes") && tarvex.Checked("E2E term two"));
  tarvex.Keys(Qt::Key_T, Qt::ControlModifier);
  EXPECT_TRUE(desktop.HasEnded("E2E term two"));
  EXPECT_TRUE(desktop.HasEnded("xeyes"));
  for (const char* caption : {"E2E term one", "xclock"}) {
    EXPECT_TRUE(desktop.IsRunning(caption)) << caption << " was closed";
  }
  EXPECT_TRUE(Eventually([&] {
    tarvex.Keys(Qt::Key_F5);
    return Sorted(tarvex.Rows()) == ExpectedRows();
  })) << Describe(tarvex.Rows());
  for (const Row& row : tarvex.Rows()) {
    EXPECT_NE(row.caption, "E2E term two");
    EXPECT_NE(row.caption, "xeyes");
  }
  EXPECT_TRUE(tarvex.boxes.shown.empty()) << tarvex.boxes.shown.front();
}

// Asked on a connection already open: a client that connects now would take the ids of the
// client that ended last.
bool WindowExists(TestClient& asking, xcb_window_t window) {
  xcb_connection_t* c = asking.Connection().get();
  return x11::Await<xcb_get_window_attributes_reply_t>(c, xcb_get_window_attributes(c, window),
                                                       xcb_get_window_attributes_reply) != nullptr;
}

TEST_F(DesktopTest, CommandsLeaveAloneAWindowThatTookOverTheIdOfAListedOne) {
  ProgramOnDesktop tarvex;
  TestClient asking;
  const xcb_window_t listed = desktop.StartOneWindow("E2E first owner");
  desktop.WaitUntilManaged();
  tarvex.Keys(Qt::Key_F5);
  const Row shown{"E2E first owner", std::to_string(desktop.PidOf("E2E first owner"))};
  ASSERT_EQ(Describe(tarvex.Rows()), Describe({shown}));

  // Its client ends, and the next client to connect gets its ids: its first window the same id.
  desktop.End("E2E first owner");
  ASSERT_TRUE(WaitUntil([&] { return !WindowExists(asking, listed); }));
  const xcb_window_t successor = desktop.StartOneWindow("E2E successor");
  ASSERT_EQ(successor, listed) << "the server gave the new client other ids";
  desktop.WaitUntilManaged();

  // The list still shows the old window, never the new one: Check All and Terminate leave the
  // new window alone.
  ASSERT_EQ(Describe(tarvex.Rows()), Describe({shown}));
  tarvex.Keys(Qt::Key_A, Qt::ControlModifier);
  tarvex.Keys(Qt::Key_T, Qt::ControlModifier);
  ProgramOnDesktop::Settle(500);
  EXPECT_TRUE(desktop.IsRunning("E2E successor")) << "the new window was asked to close";
  tarvex.Keys(Qt::Key_F5);
  const Row expected{"E2E successor", std::to_string(desktop.PidOf("E2E successor"))};
  EXPECT_EQ(Describe(tarvex.Rows()), Describe({expected}));
  EXPECT_TRUE(tarvex.boxes.shown.empty()) << tarvex.boxes.shown.front();
}

TEST_F(DesktopTest, AStormOfWindowsWhileRefreshingLeavesNoWrongRow) {
  desktop.StartXterm("E2E term one");
  desktop.Start("xclock", {"xclock"});
  desktop.StartOddWindows();
  desktop.WaitUntilManaged();
  const std::vector<Row> steady = ExpectedRows();
  desktop.StartStorm();
  const std::string stormPid = std::to_string(desktop.StormPid());
  ProgramOnDesktop tarvex;

  int refreshes = 0;
  int stormRows = 0;
  const auto end = std::chrono::steady_clock::now() + std::chrono::seconds(15);
  while (std::chrono::steady_clock::now() < end) {
    tarvex.Keys(Qt::Key_F5);
    ++refreshes;
    std::vector<Row> others;
    for (const Row& row : tarvex.Rows()) {
      if (row.caption.starts_with("Storm ")) {
        ++stormRows;
        EXPECT_EQ(row.pid, stormPid) << row.caption;
      } else {
        others.push_back(row);
      }
    }
    ASSERT_EQ(Describe(Sorted(others)), Describe(steady)) << "at refresh " << refreshes;
    if (refreshes % 10 == 0) {
      // The row still leads to its own window.
      tarvex.ClickCaption("E2E term one");
      tarvex.Keys(Qt::Key_F2);
      const xcb_window_t target = desktop.WindowOf("E2E term one");
      EXPECT_TRUE(Eventually([&] { return ActiveWindow() == target; }));
    }
  }
  EXPECT_GT(stormRows, 0) << "the storm never reached the list";
  EXPECT_TRUE(tarvex.boxes.shown.empty()) << tarvex.boxes.shown.front();
}

// What the user does in the Options dialog once it is open: F7 as the hot key (seven steps down
// from "None"), "Minimize to tray" switched, OK.
class OptionsDialogUser {
 public:
  OptionsDialogUser() {
    QObject::connect(&poll_, &QTimer::timeout, [this] {
      QWidget* dialog = QApplication::activeModalWidget();
      if (dialog == nullptr || dialog->objectName() != "DlgOptions") return;
      poll_.stop();
      auto* hotKey = dialog->findChild<QComboBox*>("edHotKey");
      auto* toTray = dialog->findChild<QCheckBox*>("CBMinimizeToTray");
      auto* ok = dialog->findChild<QPushButton*>("OKBtn");
      if (hotKey == nullptr || toTray == nullptr || ok == nullptr) return;
      for (int step = 0; step < 7; ++step) QTest::keyClick(hotKey, Qt::Key_Down);
      chosenKey = hotKey->currentText().toStdString();
      QTest::mouseClick(toTray, Qt::LeftButton);
      QTest::mouseClick(ok, Qt::LeftButton);
      done = true;
    });
    poll_.start(50);
  }
  bool done = false;
  std::string chosenKey;

 private:
  QTimer poll_;
};

std::string SettingsFile() {
  std::ifstream in(ScratchFolder() + "/KelvoApps.ini");
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

TEST_F(DesktopTest, OptionsChosenInTheDialogActAtOnceAndAtTheNextStart) {
  desktop.StartXterm("E2E term one");
  desktop.WaitUntilManaged();
  const xcb_window_t elsewhere = desktop.WindowOf("E2E term one");
  // Minimized to the taskbar (not to the tray), the hot key pressed in another application
  // brings the program back.
  const auto hotKeyRestores = [&](ProgramOnDesktop& tarvex) {
    const xcb_window_t own = static_cast<xcb_window_t>(tarvex.window.winId());
    Output("xdotool windowminimize " + std::to_string(own));
    EXPECT_TRUE(Eventually([&] { return WindowState(own) == "Iconic"; }))
        << "not minimized: " << WindowState(own);
    ProgramOnDesktop::Settle(300);
    EXPECT_EQ(WindowState(own), "Iconic") << "minimized to the tray, though the option is off";
    Output("wmctrl -i -a " + std::to_string(elsewhere));
    EXPECT_TRUE(Eventually([&] { return ActiveWindow() == elsewhere; }));
    Output("xdotool key F7");
    EXPECT_TRUE(Eventually([&] { return WindowState(own) == "Normal"; }))
        << "F7 left the window " << WindowState(own);
  };
  {
    ProgramOnDesktop tarvex;
    QAction* options = nullptr;
    for (QAction* action : tarvex.window.Tools().actions()) {
      if (action->text() == "Options") options = action;
    }
    ASSERT_NE(options, nullptr);
    tarvex.Activate();
    OptionsDialogUser user;
    QTest::mouseClick(tarvex.window.Tools().widgetForAction(options), Qt::LeftButton);
    ASSERT_TRUE(Eventually([&] { return user.done; })) << "no Options dialog";
    EXPECT_EQ(user.chosenKey, "F7");
    hotKeyRestores(tarvex);
    tarvex.window.close();
    ProgramOnDesktop::Settle();
    EXPECT_TRUE(tarvex.boxes.shown.empty()) << tarvex.boxes.shown.front();
  }
  const std::string file = SettingsFile();
  EXPECT_NE(file.find("HotKeyCode=7"), std::string::npos) << file;
  EXPECT_NE(file.find("MinimizeToTray=0"), std::string::npos) << file;

  ProgramOnDesktop again;
  hotKeyRestores(again);
}

// A dialog open over the window leaves the screen with it and comes back with it: minimized to
// the tray, the window is withdrawn, and a dialog left minimized behind it would block the
// window when it is back, out of the user's reach.
TEST_F(DesktopTest, OptionsDialogLeavesWithTheMinimizedWindowAndComesBackWithIt) {
  qt::test::SystemTray tray;
  tray.Start();
  ProgramOnDesktop tarvex;
  MinimizeToTray = true;
  const xcb_window_t own = static_cast<xcb_window_t>(tarvex.window.winId());
  const qt::test::OtherClient other;
  const auto shown = [&](xcb_window_t window) {
    return other.IsViewable(window) && WindowState(window) == "Normal";
  };
  QAction* options = nullptr;
  for (QAction* action : tarvex.window.Tools().actions()) {
    if (action->text() == "Options") options = action;
  }
  ASSERT_NE(options, nullptr);
  tarvex.Activate();

  bool goneToTray = false, backFromTray = false, goneToTaskbar = false, backFromTaskbar = false;
  QTimer user;
  user.setInterval(50);
  QObject::connect(&user, &QTimer::timeout, [&] {
    QWidget* dialog = QApplication::activeModalWidget();
    if (dialog == nullptr || dialog->objectName() != "DlgOptions") return;
    user.stop();
    const xcb_window_t box = static_cast<xcb_window_t>(dialog->winId());
    Eventually([&] { return shown(box); });
    Output("xdotool windowminimize " + std::to_string(own));
    goneToTray = Eventually([&] {
      return !other.IsViewable(own) && !other.IsViewable(box) &&
             tarvex.program.TrayShell().IconShown();
    });
    int x = 0;
    int y = 0;
    const auto* icon = tarvex.program.TrayShell().IconWindow();
    if (icon != nullptr) other.CentreOf(static_cast<xcb_window_t>(icon->winId()), x, y);
    qt::test::Xdotool({"mousemove", QString::number(x), QString::number(y), "click", "--repeat",
                       "2", "--delay", "80", "1"});
    // Back as a user sees it: the box on top with the keyboard. Minimizing before that would race
    // the activation of the restore.
    backFromTray = Eventually([&] { return shown(own) && shown(box) && dialog->isActiveWindow(); });

    MinimizeToTray = false;
    Output("xdotool windowminimize " + std::to_string(own));
    goneToTaskbar = Eventually([&] { return !other.IsViewable(own) && !other.IsViewable(box); });
    Output("wmctrl -i -a " + std::to_string(own));
    backFromTaskbar = Eventually([&] { return shown(own) && shown(box); });
    QTest::keyClick(dialog, Qt::Key_Escape);
  });
  user.start();
  QTest::mouseClick(tarvex.window.Tools().widgetForAction(options), Qt::LeftButton);
  EXPECT_TRUE(goneToTray);
  EXPECT_TRUE(backFromTray) << "window " << WindowState(own);
  EXPECT_TRUE(goneToTaskbar);
  EXPECT_TRUE(backFromTaskbar) << "window " << WindowState(own);
  EXPECT_TRUE(tarvex.boxes.shown.empty()) << tarvex.boxes.shown.front();
}

}  // namespace
}  // namespace tarvex::e2e
