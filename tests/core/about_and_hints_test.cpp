// The about text and the hint line.
#include <gtest/gtest.h>

#include "sim/fake_views.h"
#include "sim/form_harness.h"
#include "app/about_box.h"
#include "app/hint_line.h"

namespace tarvex {
namespace {

TEST(AboutTextTest, PiecesAreJoinedByBareCarriageReturnsAndYearsFormatAsARange) {
  EXPECT_EQ(AboutText("Tarvex 1.0", "Does things.", 2003, 0),
            "Tarvex 1.0\r\rDoes things.\r\rWeb site: https://www.kelvo.example/tarvex/"
            "\rE-mail: tarvex@kelvo.example\r\rCopyright (C) 2003, Kelvo Software");
  EXPECT_EQ(MakerNotice(2003, 2005), "Copyright (C) 2003-2005, Kelvo Software");
  EXPECT_EQ(MakerNotice(65535, 1), "Copyright (C) 65535-1, Kelvo Software");
}

TEST(HintTest, SplitsAtTheFirstBarAndAHintWithoutOneServesAsBoth) {
  EXPECT_EQ(ShortHint("Refresh|Refresh application list"), "Refresh");
  EXPECT_EQ(LongHint("Refresh|Refresh application list"), "Refresh application list");
  EXPECT_EQ(ShortHint("a|b|c"), "a");
  EXPECT_EQ(LongHint("a|b|c"), "b|c");
  EXPECT_EQ(ShortHint("|Notice"), "");
  EXPECT_EQ(LongHint("Plain"), "Plain");
  EXPECT_EQ(ShortHint("Plain"), "Plain");
}

TEST(HintLineTest, FallsBackToTheParentsHintAndPassesOnlyChanges) {
  sim::FakeStatusBar status;
  HintLine line(status);
  line.Idle({"Refresh|Refresh application list", "", "|Notice"});
  line.Idle({"", "", "|Notice"});  // the list has no hint of its own
  EXPECT_EQ(status.history, (std::vector<std::string>{"Refresh application list", "Notice"}));

  // A refresh message written meanwhile stays until the hint itself changes.
  status.SetPanelText(1, "Application list refreshed");
  line.Idle({"", "|Notice"});
  EXPECT_EQ(status.panels[1], "Application list refreshed");
  line.Idle({});  // the mouse left the program's windows
  EXPECT_EQ(status.panels[1], "");

  line.MenuItemHovered("Exit|Quits the application");
  EXPECT_EQ(line.ApplicationHint(), "Quits the application");
  line.MenuItemHovered("");
  EXPECT_EQ(status.panels[1], "");
}

TEST(IdleStepTest, RunsOnlyWhileTheWindowIsUsableAndHintsWhatIsUnderTheMouse) {
  sim::FormHarness harness;
  harness.form.FormCreate();
  TFormMain& form = harness.form;
  EXPECT_FALSE(form.Idle({}));  // hidden, or behind a box: nothing catches up
  EXPECT_EQ(harness.status.panels[0], "");

  EXPECT_TRUE(form.Idle({true, true, ActionId::ActTerminate}));
  EXPECT_EQ(harness.status.panels[0], "0: 0: 0");
  EXPECT_EQ(harness.status.panels[1], "Terminate selected applications");
  EXPECT_TRUE(form.Idle({true, true, std::nullopt}));  // the list or a gap between buttons
  EXPECT_EQ(harness.status.panels[1], LongHint(form.Hint()));
  EXPECT_TRUE(form.Idle({true, false, std::nullopt}));
  EXPECT_EQ(harness.status.panels[1], "");
}

}  // namespace
}  // namespace tarvex
