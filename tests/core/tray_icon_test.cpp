// The tray icon's states, its tooltip rule and its mouse rules.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sim/fake_tray.h"
#include "sim/simulated_desktop.h"
#include "tray/tray_icon.h"

namespace tarvex {
namespace {

using Op = NotifyIconOperation;

class TrayIconTest : public ::testing::Test {
 protected:
  void SetUp() override {
    menu.items = {{"Restore", "", true, true, -1, [this] { ++restores; }},
                  {"About", "About|About this application", false, true, 10, [this] { ++abouts; }},
                  {"-", "", false, true, -1, nullptr},
                  {"E&xit", "Exit|Quits the application", false, true, 11, nullptr}};
    icon.SetPopupMenu(&menu);
  }
  void Press(TrayMouseEvent event) { icon.TrayWndProc(event, 100, 700, {}); }

  sim::FakeTrayShell shell;
  sim::SimulatedDesktop desktop;
  TPopupMenu menu;
  int restores = 0, abouts = 0;
  TTrayIcon icon{shell, desktop};
};

TEST_F(TrayIconTest, ActivatingAddsTheIconOnceAndTheTooltipIsTheShortHintCutTo63) {
  icon.SetHint("Tarvex 1.0\r3 applications");  // inactive: only stored
  EXPECT_TRUE(shell.calls.empty());
  icon.SetIcon(0x77);
  EXPECT_TRUE(shell.calls.empty());

  icon.SetActive(true);
  icon.SetActive(true);
  EXPECT_EQ(shell.Operations(), (std::vector<Op>{Op::kDelete, Op::kAdd}));
  const NotifyIconRecord& added = shell.calls.back().second;
  EXPECT_EQ(added.icon, 0x77u);
  EXPECT_EQ(added.flags, 7u);
  EXPECT_EQ(added.callbackMessage, 0xB054u);
  EXPECT_EQ(added.tip, "Tarvex 1.0\r3 applications");

  icon.SetHint(std::string(70, 'x') + "|long");
  EXPECT_EQ(shell.calls.back().first, Op::kModify);
  EXPECT_EQ(shell.calls.back().second.tip, std::string(63, 'x'));
  icon.SetHint(std::string(70, 'x') + "|long");  // unchanged: nothing sent
  EXPECT_EQ(shell.calls.size(), 3u);

  icon.SetActive(false);
  EXPECT_EQ(shell.calls.back().first, Op::kDelete);
  EXPECT_FALSE(icon.Added());
}

TEST_F(TrayIconTest, AFailedOrPicturelessAddIsTriedAgainAtTheNextChange) {
  icon.SetActive(true);  // no picture: wanted, not added
  EXPECT_EQ(shell.Operations(), (std::vector<Op>{Op::kDelete}));
  shell.refuseAdd = true;
  icon.SetIcon(0x77);
  EXPECT_FALSE(icon.Added());
  shell.refuseAdd = false;
  icon.SetHint("Tarvex 1.0\r1 applications");
  EXPECT_TRUE(icon.Added());
  // With an empty tip the add is followed by a modify with the same record.
  icon.SetActive(false);
  icon.SetHint("|only a long hint");
  shell.calls.clear();
  icon.SetActive(true);
  EXPECT_EQ(shell.Operations(), (std::vector<Op>{Op::kDelete, Op::kAdd, Op::kModify}));
  // Losing the picture removes the icon but keeps it wanted.
  icon.SetIcon(0);
  EXPECT_EQ(shell.calls.back().first, Op::kDelete);
  EXPECT_FALSE(icon.Added());
  icon.SetIcon(0x78);
  EXPECT_TRUE(icon.Added());

  // Explorer restarted: the new notification area knows no icon, a wanted one is added again.
  shell.calls.clear();
  icon.TaskbarCreated();
  EXPECT_EQ(shell.Operations(), (std::vector<Op>{Op::kDelete, Op::kAdd, Op::kModify}));
  EXPECT_EQ(shell.calls.back().second.icon, 0x78u);
  icon.SetActive(false);
  shell.calls.clear();
  icon.TaskbarCreated();
  EXPECT_TRUE(shell.calls.empty());
}

TEST_F(TrayIconTest, ARightClickOnTheIconOpensTheMenuAndADoubleClickRestores) {
  icon.SetIcon(0x77);
  icon.SetActive(true);
  int clicks = 0;
  icon.OnClick = [&](TMouseButton, TShiftState, int, int) { ++clicks; };

  // Pressed elsewhere and released over the icon: no button-down was seen, no menu.
  Press(TrayMouseEvent::kRightUp);
  EXPECT_TRUE(shell.steps.empty());

  shell.chosen = 1;
  Press(TrayMouseEvent::kRightDown);
  Press(TrayMouseEvent::kRightUp);
  EXPECT_EQ(shell.steps,
            (std::vector<std::string>{"cancel mode", "foreground", "popup 100,700", "foreground"}));
  EXPECT_EQ(abouts, 1);
  EXPECT_EQ(clicks, 0);  // the menu took the click
  EXPECT_EQ(desktop.messagesProcessed, 1);

  // A double click: the click before it does nothing in the program, then Restore runs once.
  Press(TrayMouseEvent::kLeftDown);
  Press(TrayMouseEvent::kLeftUp);
  Press(TrayMouseEvent::kLeftDoubleClick);
  Press(TrayMouseEvent::kLeftUp);
  EXPECT_EQ(restores, 1);
  EXPECT_EQ(clicks, 1);

  // Disabled: every mouse action is ignored.
  icon.SetEnabled(false);
  Press(TrayMouseEvent::kLeftDoubleClick);
  Press(TrayMouseEvent::kRightDown);
  Press(TrayMouseEvent::kRightUp);
  EXPECT_EQ(restores, 1);
  EXPECT_EQ(abouts, 1);
}

TEST_F(TrayIconTest, TheMouseTableReportsButtonsAndDoubleClicks) {
  std::vector<std::string> events;
  const auto name = [](TMouseButton button) {
    return button == TMouseButton::mbLeft ? "L" : button == TMouseButton::mbRight ? "R" : "M";
  };
  icon.OnMouseDown = [&](TMouseButton b, TShiftState s, int, int) {
    events.push_back(std::string("down ") + name(b) + (s.dbl ? " dbl" : ""));
  };
  icon.OnMouseUp = [&](TMouseButton b, TShiftState s, int, int) {
    events.push_back(std::string("up ") + name(b) + (s.ctrl ? " ctrl" : ""));
  };
  icon.OnMouseMove = [&](TShiftState, int x, int y) {
    events.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  };
  icon.TrayWndProc(TrayMouseEvent::kMove, 3, 4, {});
  icon.TrayWndProc(TrayMouseEvent::kMiddleDown, 0, 0, {});
  icon.TrayWndProc(TrayMouseEvent::kMiddleUp, 0, 0, TShiftState{.ctrl = true});
  icon.TrayWndProc(TrayMouseEvent::kMiddleDoubleClick, 0, 0, {});
  icon.TrayWndProc(TrayMouseEvent::kRightDoubleClick, 0, 0, {});
  EXPECT_EQ(events, (std::vector<std::string>{"move 3,4", "down M", "up M ctrl", "down M dbl",
                                              "down R dbl"}));
  // The menu opens only while the icon is active.
  icon.SetActive(false);
  EXPECT_FALSE(icon.ShowTrayMenu(1, 1));
  EXPECT_FALSE(icon.ClickDefaultItem());
}

}  // namespace
}  // namespace tarvex
