// The enumerator's own timer, its change notification and its About property.
#include <gtest/gtest.h>

#include "sim/simulated_desktop.h"
#include "winlist/find_win.h"

namespace tarvex {
namespace {

class WinListTimerTest : public ::testing::Test {
 protected:
  sim::SimulatedDesktop desktop;
  TWinList list{desktop.Platform()};
  int changes = 0;
  void SetUp() override {
    list.SetOnChanged([this](TWinList& sender) {
      EXPECT_EQ(&sender, &list);
      ++changes;
    });
  }
};

TEST_F(WinListTimerTest, TimedPassesReportOnlyRebuildsAndDirectRefreshesNever) {
  desktop.Open("A");
  list.Refresh();
  EXPECT_EQ(changes, 0);

  list.SetEnableTimer(true);
  desktop.AdvanceTime(499);
  EXPECT_EQ(desktop.messagesProcessed, 0);
  desktop.AdvanceTime(1);
  EXPECT_EQ(desktop.messagesProcessed, 1);
  EXPECT_EQ(changes, 0);  // nothing changed since the direct refresh

  desktop.Open("B");
  desktop.AdvanceTime(500);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(list.WindowList().Count(), 2);

  desktop.AdvanceTime(500);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(desktop.messagesProcessed, 3);
}

TEST_F(WinListTimerTest, APeriodBelowOneSwitchesTheTimerOffAndIsStored) {
  list.SetEnableTimer(true);
  list.SetTimerIntval(0);
  EXPECT_FALSE(list.EnableTimer());
  EXPECT_EQ(list.TimerIntval(), 0);
  desktop.AdvanceTime(2000);
  EXPECT_EQ(desktop.messagesProcessed, 0);

  list.SetTimerIntval(100);
  list.SetEnableTimer(true);
  list.SetTimerIntval(-5);
  EXPECT_FALSE(list.EnableTimer());
  EXPECT_EQ(list.TimerIntval(), -5);

  // Storing the current value changes nothing else.
  list.SetTimerIntval(100);
  list.SetEnableTimer(true);
  list.SetTimerIntval(100);
  EXPECT_TRUE(list.EnableTimer());
  desktop.AdvanceTime(100);
  EXPECT_EQ(desktop.messagesProcessed, 1);
}

TEST_F(WinListTimerTest, AboutTakesTheCreditTextAndShowsItsBoxOnlyOnChange) {
  list.SetAbout("");
  EXPECT_TRUE(desktop.boxes.empty());

  list.SetAbout("anything");
  EXPECT_EQ(list.About(), kWinListCredit);
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].caption, "Information");
  EXPECT_EQ(desktop.boxes[0].text, kWinListCreditBox);
  EXPECT_EQ(desktop.boxes[0].kind, BoxKind::kInformation);

  list.SetAbout(kWinListCredit);
  EXPECT_EQ(desktop.boxes.size(), 1u);
}

}  // namespace
}  // namespace tarvex
