// The main window's commands on the simulated desktop: what is sent to which window, in which
// order, and how the refresh timer and the enabled states guard them.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "app/action_list.h"
#include "app/form_main.h"
#include "settings/ignore_list.h"
#include "sim/form_harness.h"
#include "app/about_box.h"

namespace tarvex {
namespace {

using sim::SentRequest;
using enum ActionId;

class CommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    a = desktop.Open("A", 1).handle;
    b = desktop.Open("B", 2).handle;
    c = desktop.Open("C", 3).handle;
    form.FormCreate();
    form.FormShow();  // rows, front to back: C, B, A
  }

  int RowOf(WinHandle window) const {
    for (std::size_t i = 0; i < form.Rows().size(); ++i) {
      if (form.Rows()[i].handle == window) return static_cast<int>(i);
    }
    return -1;
  }
  void Check(WinHandle window) { form.ListView1ItemChecked(RowOf(window), true); }

  sim::FormHarness harness;
  sim::SimulatedDesktop& desktop = harness.desktop;
  sim::FakeListView& view = harness.view;
  sim::FakeStatusBar& status = harness.status;
  sim::FakeHost& host = harness.host;
  TFormMain& form = harness.form;
  WinHandle a = 0, b = 0, c = 0;
};

TEST(ActionListTest, EveryActionButExitHasOneButtonAndShortcutsAreDistinct) {
  std::multiset<ActionId> buttons;
  for (const auto& slot : kToolBarLayout) {
    if (slot) buttons.insert(*slot);
  }
  std::set<std::string> shortcuts;
  for (const ActionInfo& action : kActionList) {
    EXPECT_EQ(&ActionOf(action.id), &action);
    EXPECT_EQ(buttons.count(action.id), action.id == ActExit ? 0u : 1u) << action.name;
    if (action.shortcut.IsNone()) continue;
    const std::string key = std::to_string(action.shortcut.functionKey) + action.shortcut.letter +
                            (action.shortcut.ctrl ? "C" : "") + (action.shortcut.shift ? "S" : "");
    EXPECT_TRUE(shortcuts.insert(key).second) << action.name;
  }
  EXPECT_EQ(shortcuts.size(), 8u);
}

TEST_F(CommandsTest, RestoreMinimizeAndTerminateActOnCheckedRowsInDisplayedOrder) {
  Check(a);
  Check(c);
  form.ExecuteAction(ActMinimize);
  form.ExecuteAction(ActRestore);
  const std::vector<SentRequest> expected = {{SentRequest::kShow, c, kShowMinimized},
                                             {SentRequest::kShow, a, kShowMinimized},
                                             {SentRequest::kShow, c, kShowNormal},
                                             {SentRequest::kShow, a, kShowNormal}};
  EXPECT_EQ(desktop.requests, expected);
  EXPECT_EQ(desktop.messagesProcessed, 4);  // after each acted-on row
  EXPECT_EQ(form.CheckedCount(), 2);        // restoring and minimizing keep the checks

  // A sort changes the displayed order, and so the order of the requests.
  form.ListView1ColumnClick(0);
  form.ListView1ColumnClick(0);
  desktop.requests.clear();
  desktop.Close(c);  // gone since the refresh: nothing is sent to it
  form.ListView1SelectItem(RowOf(a));
  form.ExecuteAction(ActTerminate);
  EXPECT_EQ(desktop.requests, (std::vector<SentRequest>{{SentRequest::kClose, a, 0}}));
  // Terminate refreshes, and the list it leaves starts with nothing chosen, also for the window
  // that did not close.
  EXPECT_EQ(form.CheckedCount(), 0);
  EXPECT_EQ(form.Selected(), -1);
  EXPECT_NE(RowOf(a), -1);
  EXPECT_EQ(RowOf(c), -1);
}

TEST_F(CommandsTest, AHandleThatWentToAnotherProcessSinceTheListIsLeftAlone) {
  Check(a);
  Check(b);
  form.ListView1SelectItem(RowOf(b));
  // b's window closes and a window of another process gets its handle, under the same caption.
  desktop.Close(b);
  desktop.Open("B", 8, b);
  for (ActionId action : {ActRestore, ActMinimize, ActSwitchTo, ActTerminate}) {
    form.ExecuteAction(action);
  }
  EXPECT_EQ(desktop.requests, (std::vector<SentRequest>{{SentRequest::kShow, a, kShowNormal},
                                                        {SentRequest::kShow, a, kShowMinimized},
                                                        {SentRequest::kClose, a, 0}}));
  EXPECT_EQ(desktop.messagesProcessed, 3);
}

TEST_F(CommandsTest, ARefreshInTheMiddleOfALoopActsOnlyOnTheRowsTheUserChecked) {
  Check(c);
  Check(a);
  // While messages run after the first row, the timer rebuilds the list: a new window in front
  // shifts every row down by one, and the rebuilt rows are all unchecked.
  desktop.onProcessMessages = [&] {
    desktop.onProcessMessages = nullptr;
    desktop.Open("New", 9);
    form.Timer1Timer();
  };
  form.ExecuteAction(ActMinimize);
  EXPECT_EQ(desktop.requests, (std::vector<SentRequest>{{SentRequest::kShow, c, kShowMinimized},
                                                        {SentRequest::kShow, a, kShowMinimized}}));

  // A rebuild that shrinks the list under the loop is no reason to read past its end, and the
  // windows that went are not asked.
  form.ExecuteAction(ActCheckAll);
  desktop.requests.clear();
  const WinHandle front = form.Rows().front().handle;
  desktop.onProcessMessages = [&] {
    desktop.onProcessMessages = nullptr;
    for (WinHandle window : {a, b, c}) desktop.Close(window);
    form.ExecuteAction(ActRefresh);
  };
  form.ExecuteAction(ActRestore);
  EXPECT_EQ(desktop.requests, (std::vector<SentRequest>{{SentRequest::kShow, front, kShowNormal}}));
}

TEST_F(CommandsTest, SwitchToShowsTheSelectedWindowThenBringsItToTheFront) {
  form.ExecuteAction(ActSwitchTo);  // nothing selected: disabled, nothing sent
  EXPECT_TRUE(desktop.requests.empty());
  Check(c);
  form.ListView1SelectItem(RowOf(b));
  form.ExecuteAction(ActSwitchTo);
  EXPECT_EQ(desktop.requests, (std::vector<SentRequest>{{SentRequest::kShow, b, kShowNormal},
                                                        {SentRequest::kForeground, b, 0}}));
}

TEST_F(CommandsTest, CheckAllAndUncheckAllRunOnlyWhenTheyHaveSomethingToDo) {
  Check(b);
  form.ExecuteAction(ActCheckAll);
  EXPECT_EQ(form.CheckedCount(), 3);
  EXPECT_TRUE(view.rows[0].checked && view.rows[1].checked && view.rows[2].checked);
  EXPECT_EQ(view.updateDepth, 0);
  form.ExecuteAction(ActUncheckAll);
  EXPECT_EQ(form.CheckedCount(), 0);
  EXPECT_FALSE(view.rows[1].checked);

  // Disabled commands do nothing, whatever invokes them.
  for (ActionId action : {ActUncheckAll, ActRestore, ActMinimize, ActTerminate}) {
    form.ExecuteAction(action);
  }
  EXPECT_TRUE(desktop.requests.empty());
  EXPECT_EQ(status.panels[1], "Application list refreshed");  // Terminate did not refresh
}

TEST_F(CommandsTest, TheTimerRefreshesAMinuteAfterTheLatestRefreshAndSurvivesAFailure) {
  desktop.Open("D", 4);
  desktop.AdvanceTime(kRefreshInterval - 1);
  EXPECT_EQ(form.Rows().size(), 3u);
  desktop.AdvanceTime(1);
  EXPECT_EQ(form.Rows().size(), 4u);

  // F5 half-way restarts the period.
  desktop.AdvanceTime(kRefreshInterval / 2);
  form.ExecuteAction(ActRefresh);
  desktop.Open("E", 5);
  desktop.AdvanceTime(kRefreshInterval - 1);
  EXPECT_EQ(form.Rows().size(), 4u);
  desktop.AdvanceTime(1);
  EXPECT_EQ(form.Rows().size(), 5u);

  // A refresh that fails still re-arms the timer.
  desktop.Open("F", 6);
  desktop.onThreadProcessId = [](WinHandle) { throw Exception("Cannot read the window"); };
  EXPECT_THROW(form.ExecuteAction(ActRefresh), Exception);
  desktop.onThreadProcessId = nullptr;
  desktop.AdvanceTime(kRefreshInterval);
  EXPECT_EQ(form.Rows().size(), 6u);

  // Closing stops it.
  form.FormClose();
  desktop.Open("G", 7);
  desktop.AdvanceTime(2 * kRefreshInterval);
  EXPECT_EQ(form.Rows().size(), 6u);
}

TEST_F(CommandsTest, StartUpWebSiteAboutAndExit) {
  EXPECT_EQ(host.applicationTitle, "Tarvex 1.0");
  form.ExecuteAction(ActWebSite);
  EXPECT_EQ(host.opened, std::vector<std::string>{kMakerWebSite});
  form.ExecuteAction(ActAbout);
  ASSERT_EQ(desktop.boxes.size(), 1u);
  EXPECT_EQ(desktop.boxes[0].caption, "About");
  EXPECT_EQ(desktop.boxes[0].kind, BoxKind::kInformation);
  EXPECT_EQ(desktop.boxes[0].text, AboutText("Tarvex 1.0", kAboutDescription, 2003, 0));
  form.ExecuteAction(ActExit);
  EXPECT_EQ(host.closed, 1);
}

}  // namespace
}  // namespace tarvex
