// What the first show and the closing do with the settings file, and the Ignore List command.
#include <gtest/gtest.h>

#include <limits>
#include <utility>

#include "app/dpi_units.h"
#include "base/errors.h"
#include "app/fit_form_to_screen.h"
#include "app/window_frame.h"
#include "sim/form_harness.h"

namespace tarvex {
namespace {

using enum ActionId;

class SettingsAtShowAndCloseTest : public ::testing::Test {
 protected:
  void SetUp() override { harness.form.FormCreate(); }
  std::vector<std::string> Shown() const {
    std::vector<std::string> captions;
    for (const ListRow& row : harness.view.rows) captions.push_back(row.caption);
    return captions;
  }
  sim::FormHarness harness;
};

TEST_F(SettingsAtShowAndCloseTest, AFirstStartUsesTheDesignAndTheFirstCloseWritesTheWindowSection) {
  harness.form.FormShow();
  EXPECT_EQ(harness.host.bounds, kDesignedBounds);
  EXPECT_EQ(harness.view.columns, (std::vector<int>{130, 67}));
  EXPECT_TRUE(MinimizeToTray);
  EXPECT_EQ(HotKeyCode, 0);
  EXPECT_EQ(harness.files.files.count(sim::kSettingsFile), 0u);  // reading creates nothing

  harness.host.bounds = {10, 20, 400, 300};
  harness.view.columns = {150, 80};
  harness.form.FormClose();
  EXPECT_EQ(harness.SettingsText(),
            "[Tarvex Window]\r\nLeft=10\r\nTop=20\r\nWidth=400\r\nHeight=300\r\nColumn1=150\r\n"
            "Column2=80\r\nMinimizeToTray=1\r\nHotKeyCode=0\r\n");
}

TEST_F(SettingsAtShowAndCloseTest, StoredValuesApplyWithinTheMinimumAndTheScreen) {
  harness.SettingsText() =
      "[Kelvo Clock]\nAlarm=7:00\n[tarvex window]\nLeft= -40 \nTop=x10\nWidth=100\n"
      "Height=2147483648\nColumn1=0x64\nColumn2=oops\nMinimizeToTray=0\nHotKeyCode=257\n"
      "Mine=kept\n";
  harness.form.FormShow();
  EXPECT_EQ(harness.host.bounds, (Bounds{0, 16, kMinimumWidth, 246}));
  EXPECT_EQ(harness.view.columns, (std::vector<int>{100, 67}));
  EXPECT_FALSE(MinimizeToTray);
  EXPECT_EQ(HotKeyCode, 1);

  harness.form.FormClose();
  EXPECT_EQ(harness.SettingsText(),
            "[Kelvo Clock]\nAlarm=7:00\n[tarvex window]\nLeft=0\nTop=16\nWidth=321\n"
            "Height=246\nColumn1=100\nColumn2=67\nMinimizeToTray=0\nHotKeyCode=1\nMine=kept\n");
}

TEST(FitFormToScreenTest, MovesBackFromTheRightAndBottomFirstThenFromTheLeftAndTop) {
  EXPECT_EQ(FitFormToScreen({1200, 700, 321, 246}, 1280, 800), (Bounds{959, 554, 321, 246}));
  EXPECT_EQ(FitFormToScreen({-50, -60, 321, 246}, 1280, 800), (Bounds{0, 0, 321, 246}));
  EXPECT_EQ(FitFormToScreen({1400, 100, 2000, 246}, 1280, 800), (Bounds{0, 100, 1280, 246}));
  EXPECT_EQ(FitFormToScreen({2147483647, 2147483647, 400, 300}, 1280, 800),
            (Bounds{880, 500, 400, 300}));
}

TEST(DpiUnitsTest, ScalesAsThePlatformRoundsAndComesBackToTheSameStoredValue) {
  EXPECT_EQ(ScaleFromDesign(321, 144), 482) << "481.5: halves away from zero";
  EXPECT_EQ(ScaleFromDesign(-3, 144), -5);
  EXPECT_EQ(ScaleToDesign(481, 144), 321);
  EXPECT_EQ(ScaleFromDesign(std::numeric_limits<int>::max(), 144), std::numeric_limits<int>::max());
  EXPECT_EQ(ScaleFromDesign(std::numeric_limits<int>::min(), 192), std::numeric_limits<int>::min());
  EXPECT_EQ(ScaleToDesign(250, 0), 250);
  // Opened at any resolution Windows offers and closed unmoved, a window stores what it read.
  for (const int dpi : {96, 120, 144, 168, 192, 240, 288, 480}) {
    for (int stored = 0; stored <= 3000; ++stored) {
      ASSERT_EQ(ScaleToDesign(ScaleFromDesign(stored, dpi), dpi), stored) << dpi;
    }
  }
  // Monitor hops go through the stored value: scaling pixels from one monitor's resolution
  // straight to the next one's would drift (130 at 96, 163 at 120, 196 at 144, 131 at 96).
  int width = 130;
  int from = 96;
  for (const int to : {120, 144, 96, 168, 120, 96}) {
    width = RescaleForDpi(width, std::exchange(from, to), to);
  }
  EXPECT_EQ(width, 130);
}

TEST_F(SettingsAtShowAndCloseTest, SizesAreStoredIn96DpiUnitsAndShownAtTheMonitorsResolution) {
  // Opened on a monitor of 144 dots per inch: the sizes read are 96-dpi units, shown half as
  // large again, and the minimum size grows with them; positions are screen pixels.
  harness.host.dpi = 144;
  harness.host.bounds = {192, 103, 482, 369};
  harness.view.columns = {195, 101};
  harness.SettingsText() =
      "[Tarvex Window]\nLeft=10\nTop=20\nWidth=401\nHeight=100\nColumn1=131\nColumn2=67\n";
  harness.form.FormShow();
  EXPECT_EQ(harness.host.bounds, (Bounds{10, 20, 602, 188}));
  EXPECT_EQ(harness.view.columns, (std::vector<int>{197, 101}));
  EXPECT_EQ(MinimumFormSize(144), (ScreenSize{482, 188}));

  // Closed without a move: what was read is stored again, the height raised to the minimum.
  const std::string stored =
      "[Tarvex Window]\nLeft=10\nTop=20\nWidth=401\nHeight=125\nColumn1=131\nColumn2=67\n"
      "MinimizeToTray=1\nHotKeyCode=0\n";
  harness.form.FormClose();
  EXPECT_EQ(harness.SettingsText(), stored);

  // Moved to a monitor of 120 and closed there: the columns follow, and the sizes it shows there
  // (the frame as Windows suggests it for the new monitor) store the same values.
  harness.form.FormDpiChanged(144, 120);
  EXPECT_EQ(harness.view.columns, (std::vector<int>{164, 84}));
  harness.host.dpi = 120;
  harness.host.bounds = {1930, 20, 501, 156};
  harness.form.FormClose();
  EXPECT_EQ(harness.SettingsText(),
            "[Tarvex Window]\nLeft=1930\nTop=20\nWidth=401\nHeight=125\n"
            "Column1=131\nColumn2=67\nMinimizeToTray=1\nHotKeyCode=0\n");

  // A column the user widened there keeps its new width in 96-dpi units.
  harness.view.columns[0] = 200;
  harness.form.FormDpiChanged(120, 96);
  EXPECT_EQ(harness.view.columns, (std::vector<int>{160, 67}));
}

// Where the toolkit places the window's own area, the stored bounds still name the outer frame:
// the designed size, the minimum and the fit to the screen hold for the frame.
TEST(WindowFrameTest, TheStoredBoundsAreTheOuterFramesAndComeBackUnchanged) {
  const FrameExtents frame{1, 1, 22, 4};
  EXPECT_EQ(ClientBounds(kDesignedBounds, frame), (Bounds{193, 125, 319, 220}));
  EXPECT_EQ(OuterBounds(ClientBounds(kDesignedBounds, frame), frame), kDesignedBounds);
  EXPECT_EQ(MinimumClientSize(frame), (FormSize{319, 99}));
  EXPECT_EQ(MinimumClientSize({}), (FormSize{kMinimumWidth, kMinimumHeight}));

  // Fitted by its frame, a window at the bottom right keeps every edge of the frame on screen.
  const Bounds client = ClientBounds(FitFormToScreen({1200, 700, 321, 246}, 1280, 800), frame);
  EXPECT_EQ(client.left + client.width + frame.right, 1280);
  EXPECT_EQ(client.top + client.height + frame.bottom, 800);

  // Stored values at the ends of the range, and a frame wider than the window.
  EXPECT_EQ(ClientBounds({2147483647, -2147483647 - 1, 10, 10}, {30, 30, 30, 30}),
            (Bounds{2147483647, -2147483647 + 29, 1, 1}));
  EXPECT_EQ(OuterBounds({-2147483647 - 1, 0, 2147483647, 5}, {30, 30, 30, 30}),
            (Bounds{-2147483647 - 1, -30, 2147483647, 65}));
}

TEST_F(SettingsAtShowAndCloseTest,
       AnUnwritableFileAsksToCloseWithoutSavingAndASessionEndNeverAsks) {
  harness.form.FormShow();
  harness.files.readOnly = true;
  std::vector<sim::SimulatedDesktop::ShownBox>& boxes = harness.desktop.boxes;

  // No: the window stays open and goes on refreshing.
  harness.desktop.answers = {BoxAnswer::kOk, BoxAnswer::kNo};
  EXPECT_FALSE(harness.form.CloseQuery());
  ASSERT_EQ(boxes.size(), 2u);
  EXPECT_EQ(boxes[0].text, "Unable to write to C:\\WINDOWS\\KelvoApps.ini");
  EXPECT_EQ(boxes[0].caption, "Error");
  EXPECT_EQ(boxes[1].text, kCloseWithoutSavingQuestion);
  EXPECT_EQ(boxes[1].kind, BoxKind::kWarningYesNo);
  harness.desktop.Open("New", 5);
  harness.desktop.AdvanceTime(kRefreshInterval);
  EXPECT_EQ(harness.form.Rows().size(), 1u);

  // The session's end saves as a close does and fails with the same message, but it leaves the
  // program as it was: the session may go on.
  try {
    harness.form.WMEndSession();
    FAIL() << "the save at the session's end went through";
  } catch (const Exception& error) {
    EXPECT_STREQ(error.what(), "Unable to write to C:\\WINDOWS\\KelvoApps.ini");
  }
  harness.files.readOnly = false;
  harness.host.bounds.left = 77;
  harness.form.WMEndSession();
  EXPECT_NE(harness.SettingsText().find("Left=77"), std::string::npos);
  harness.desktop.Open("Newer", 6);
  harness.desktop.AdvanceTime(kRefreshInterval);
  EXPECT_EQ(harness.form.Rows().size(), 2u);

  // Yes: the window closes and refreshes no more.
  harness.files.readOnly = true;
  harness.desktop.answers = {BoxAnswer::kOk, BoxAnswer::kYes};
  EXPECT_TRUE(harness.form.CloseQuery());
  EXPECT_EQ(boxes.size(), 4u);
  harness.desktop.Open("Newest", 7);
  harness.desktop.AdvanceTime(kRefreshInterval);
  EXPECT_EQ(harness.form.Rows().size(), 2u);
  EXPECT_NE(harness.SettingsText().find("HotKeyCode=0"), std::string::npos);
}

TEST_F(SettingsAtShowAndCloseTest, AWindowNeverShownWritesNothingOverTheStoredSettings) {
  harness.SettingsText() = "[Tarvex Window]\nLeft=500\n";
  harness.form.WMEndSession();
  harness.form.FormClose();
  EXPECT_EQ(harness.SettingsText(), "[Tarvex Window]\nLeft=500\n");
}

TEST_F(SettingsAtShowAndCloseTest, TheIgnoreListCommandRewritesTheSectionAndRefreshesOnOkOnly) {
  harness.SettingsText() = "[Tarvex Ignore]\n1=Clock\n2=Paint\n4=Lost\n[Other]\nk=v\n";
  harness.desktop.Open("Clock", 1);
  harness.desktop.Open("Notepad", 2);
  harness.form.FormShow();
  EXPECT_EQ(Shown(), (std::vector<std::string>{"Notepad"}));

  // Cancel: nothing is written and the list is not refreshed.
  harness.ignoreListDialog.ok = false;
  harness.ignoreListDialog.user = [&](TDlgIgnoreList& dialog) {
    dialog.ListBox1Select(0);
    dialog.ActRemoveExecute();
  };
  const std::size_t refreshes = harness.status.history.size();
  harness.form.ExecuteAction(ActIgnoreList);
  EXPECT_EQ(harness.SettingsText(), "[Tarvex Ignore]\n1=Clock\n2=Paint\n4=Lost\n[Other]\nk=v\n");
  EXPECT_EQ(harness.status.history.size(), refreshes + 1);  // the update step only

  // OK: the section is rewritten without the entry after the gap, and the list refreshed.
  harness.ignoreListDialog.ok = true;
  harness.inputBox.answers = {std::string("notepad")};
  harness.ignoreListDialog.user = [&](TDlgIgnoreList& dialog) {
    dialog.ListBox1Select(0);
    dialog.ActRemoveExecute();
    dialog.ActAddExecute();
  };
  harness.form.ExecuteAction(ActIgnoreList);
  EXPECT_EQ(harness.SettingsText(), "[Other]\nk=v\n[Tarvex Ignore]\n1=notepad\n2=Paint\n");
  EXPECT_EQ(Shown(), (std::vector<std::string>{"Clock"}));

  // OK on an empty list leaves no section at all.
  harness.ignoreListDialog.user = [](TDlgIgnoreList& dialog) {
    while (!dialog.Entries().empty()) {
      dialog.ListBox1Select(0);
      dialog.ActRemoveExecute();
    }
  };
  harness.form.ExecuteAction(ActIgnoreList);
  EXPECT_EQ(harness.SettingsText(), "[Other]\nk=v\n");
  EXPECT_EQ(Shown(), (std::vector<std::string>{"Notepad", "Clock"}));
}

TEST_F(SettingsAtShowAndCloseTest, ARefusedRewriteKeepsTheNewListButDoesNotRefresh) {
  harness.form.FormShow();
  harness.desktop.Open("Opened since the last refresh", 1);
  harness.inputBox.answers = {std::string("Clock")};
  harness.ignoreListDialog.user = [](TDlgIgnoreList& dialog) { dialog.ActAddExecute(); };
  harness.files.readOnly = true;
  EXPECT_THROW(harness.form.ExecuteAction(ActIgnoreList), Exception);
  EXPECT_EQ(IgnoreList.Entries(), (std::vector<std::string>{"Clock"}));
  EXPECT_TRUE(Shown().empty());
}

}  // namespace
}  // namespace tarvex
