// The main window's application list: rebuilding, sorting, counters and enabled states.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/form_main.h"
#include "app/kelvo_apps.h"
#include "settings/ignore_list.h"
#include "sim/form_harness.h"

namespace tarvex {
namespace {

using Captions = std::vector<std::string>;

class ApplicationListTest : public ::testing::Test {
 protected:
  void SetUp() override { form.FormCreate(); }

  Captions Shown() const {
    Captions captions;
    for (const ListRow& row : view.rows) captions.push_back(row.caption);
    return captions;
  }
  void Refresh() { form.ExecuteAction(ActionId::ActRefresh); }
  std::vector<ActionId> Disabled() {
    std::vector<ActionId> disabled;
    for (std::size_t i = 0; i < kActionCount; ++i) {
      if (!form.Enabled(static_cast<ActionId>(i))) disabled.push_back(static_cast<ActionId>(i));
    }
    return disabled;
  }

  sim::FormHarness harness;
  sim::SimulatedDesktop& desktop = harness.desktop;
  sim::FakeListView& view = harness.view;
  sim::FakeStatusBar& status = harness.status;
  TFormMain& form = harness.form;
};

TEST_F(ApplicationListTest, DropsTheProgramsOwnTitleAndIgnoredCaptionsAndKeepsEnumerationOrder) {
  EXPECT_EQ(AppTitle, "Tarvex 1.0");
  const WinHandle notepad = desktop.Open("Notepad", 10).handle;
  desktop.Open("Tarvex 1.0", 11);  // a second copy of the program
  desktop.Open("tarvex 1.0", 12);
  desktop.Open("Tarvex 1.0 ", 13);
  desktop.Open("Clock", 14);
  desktop.Open("Clock", 15);
  desktop.Open("Calculator", 16);
  // Captions are listed as they are; the ignore list matches the form the ANSI functions gave,
  // in which the simulated code page turns every non-ASCII character into a question mark.
  desktop.Open("Журнал", 17);
  desktop.Open("Заметки ✓ 東京", 18);
  IgnoreList.Replace({"??????", "CALCULATOR"});  // sorted, as the list keeps it

  Refresh();
  EXPECT_EQ(Shown(),
            Captions({"Заметки ✓ 東京", "Clock", "Clock", "Tarvex 1.0 ", "tarvex 1.0", "Notepad"}));
  EXPECT_EQ(view.rows, form.Rows());
  EXPECT_EQ(view.rows.back().processId, "10");
  EXPECT_EQ(view.rows.back().handle, notepad);
  EXPECT_EQ(view.updateDepth, 0);
  EXPECT_EQ(status.history.front(), "0: 0: 0");  // the update step ran before the rebuild
  EXPECT_EQ(status.panels[1], "Application list refreshed");
}

TEST_F(ApplicationListTest, ARefreshThatFailsStillResumesRepaintingAndKeepsTheRowsSoFar) {
  desktop.Open("Kept", 1);
  desktop.Open("Fails", 2);
  desktop.Open("Front", 3);
  desktop.onThreadProcessId = [](WinHandle) {};
  Refresh();
  ASSERT_EQ(Shown(), Captions({"Front", "Fails", "Kept"}));
  // Building the enumerator's entries fails half-way.
  desktop.Open("New", 4);
  int calls = 0;
  desktop.onThreadProcessId = [&](WinHandle) {
    if (++calls == 2) throw std::runtime_error("Out of memory");
  };
  EXPECT_THROW(Refresh(), std::runtime_error);
  EXPECT_EQ(view.updateDepth, 0);
  EXPECT_EQ(status.panels[1], "Application list refreshed");
  EXPECT_EQ(status.history[status.history.size() - 2], "Refreshing...");
  EXPECT_EQ(Shown(), Captions({}));  // the rows built before the failure: none were read yet
}

TEST_F(ApplicationListTest, CountersEnabledStatesAndTrayHintFollowChecksAndSelection) {
  Refresh();
  form.ActRefreshUpdate();
  EXPECT_EQ(status.panels[0], "0: 0: 0");
  EXPECT_EQ(form.TrayHint(), "Tarvex 1.0\r0 applications");
  using enum ActionId;
  EXPECT_EQ(Disabled(), std::vector<ActionId>({ActCheckAll, ActUncheckAll, ActRestore, ActMinimize,
                                               ActTerminate, ActSwitchTo}));

  desktop.Open("One", 1);
  Refresh();
  form.ActRefreshUpdate();
  EXPECT_EQ(form.TrayHint(), "Tarvex 1.0\r1 applications");

  desktop.Open("Two", 2);
  desktop.Open("Three", 3);
  Refresh();
  form.ListView1ItemChecked(0, true);
  form.ListView1SelectItem(2);
  form.ActRefreshUpdate();
  EXPECT_EQ(status.panels[0], "3: 3: 1");
  EXPECT_EQ(form.CheckedCount(), 1);
  EXPECT_TRUE(Disabled().empty());

  form.ListView1ItemChecked(1, true);
  form.ListView1ItemChecked(2, true);
  form.ActRefreshUpdate();
  EXPECT_EQ(Disabled(), std::vector<ActionId>({ActCheckAll}));
}

TEST_F(ApplicationListTest, ARefreshKeepsTheChoicesOfWindowsStillListedUnderTheirNewCaptions) {
  const WinHandle editor = desktop.Open("Editor", 1).handle;
  const WinHandle shell = desktop.Open("Shell", 2).handle;
  const WinHandle viewer = desktop.Open("Viewer", 3).handle;
  IgnoreList.Replace({"Busy"});
  Refresh();
  ASSERT_EQ(Shown(), Captions({"Viewer", "Shell", "Editor"}));
  form.ListView1ItemChecked(0, true);
  form.ListView1ItemChecked(1, true);
  form.ListView1ItemChecked(2, true);
  form.ListView1SelectItem(2);

  // The editor renames itself, the shell's handle goes to a window of another process, and a
  // new window opens in front.
  desktop.Window(editor).caption = "Editor - notes.txt";
  desktop.Close(shell);
  desktop.Open("Shell", 7, shell);
  desktop.Open("Clock", 4);
  Refresh();
  EXPECT_EQ(Shown(), Captions({"Clock", "Shell", "Viewer", "Editor - notes.txt"}));
  EXPECT_EQ(view.rows[1].processId, "7");
  std::vector<bool> checks;
  for (const ListRow& row : view.rows) checks.push_back(row.checked);
  EXPECT_EQ(checks, std::vector<bool>({false, false, true, true}));
  EXPECT_EQ(view.rows, form.Rows());
  EXPECT_EQ(form.Selected(), 3);
  EXPECT_EQ(view.selected, 3);

  // Renamed to an ignored caption, the window leaves the list with its choices; renamed back,
  // it returns as a new row.
  desktop.Window(editor).caption = "busy";
  Refresh();
  EXPECT_EQ(Shown(), Captions({"Clock", "Shell", "Viewer"}));
  EXPECT_EQ(form.Selected(), -1);
  desktop.Window(editor).caption = "Editor";
  desktop.Window(viewer).caption = "Viewer 2";
  Refresh();
  EXPECT_EQ(Shown(), Captions({"Clock", "Shell", "Viewer 2", "Editor"}));
  EXPECT_FALSE(view.rows[3].checked);
  EXPECT_EQ(form.CheckedCount(), 1);
}

TEST_F(ApplicationListTest, HeaderClicksSortRowsWithTheirChecksAndSelection) {
  desktop.Open("beta", 300);
  desktop.Open("Alpha", 1000);
  desktop.Open("gamma", 20);
  Refresh();
  ASSERT_EQ(Shown(), Captions({"gamma", "Alpha", "beta"}));
  form.ListView1ItemChecked(1, true);  // Alpha
  form.ListView1SelectItem(0);         // gamma

  form.ListView1ColumnClick(0);  // the key starts at ascending caption: now descending
  EXPECT_EQ(form.SortKey(), -1);
  EXPECT_EQ(Shown(), Captions({"gamma", "beta", "Alpha"}));
  EXPECT_TRUE(view.rows[2].checked);
  EXPECT_EQ(view.selected, 0);

  form.ListView1ColumnClick(1);
  EXPECT_EQ(form.SortKey(), 2);
  EXPECT_EQ(Shown(), Captions({"gamma", "beta", "Alpha"}));
  form.ListView1ColumnClick(1);
  EXPECT_EQ(Shown(), Captions({"Alpha", "beta", "gamma"}));
  EXPECT_EQ(view.selected, 2);
  form.ActRefreshUpdate();
  EXPECT_EQ(status.panels[0], "3: 3: 1");

  // A refresh returns to enumeration order and keeps the key; the next click reverses the key.
  Refresh();
  EXPECT_EQ(Shown(), Captions({"gamma", "Alpha", "beta"}));
  EXPECT_EQ(form.SortKey(), -2);
  form.ListView1ColumnClick(1);
  EXPECT_EQ(Shown(), Captions({"gamma", "beta", "Alpha"}));
}

TEST_F(ApplicationListTest, ReportsOutsideTheRowsAreIgnored) {
  desktop.Open("One", 1);
  Refresh();
  form.ListView1ItemChecked(5, true);
  form.ListView1ItemChecked(-1, true);
  form.ListView1SelectItem(7);
  form.ActRefreshUpdate();
  EXPECT_EQ(status.panels[0], "0: 1: 0");
}

}  // namespace
}  // namespace tarvex
