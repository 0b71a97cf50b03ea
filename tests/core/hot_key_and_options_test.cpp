// The hot-key table, its registration and the options dialog's logic.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "dialogs/dlg_options.h"
#include "settings/options.h"
#include "sim/fake_tray.h"
#include "tray/hot_key.h"

namespace tarvex {
namespace {

TEST(HotKeyTest, IndexesOneTo24AreTheFunctionKeysAndTheOldKeyGoesFirst) {
  EXPECT_EQ(HotKeyOf(0), std::nullopt);
  EXPECT_EQ(HotKeyOf(1), 1);
  EXPECT_EQ(HotKeyOf(10), 10);
  EXPECT_EQ(HotKeyOf(13), 13);
  EXPECT_EQ(HotKeyOf(24), 24);
  EXPECT_EQ(HotKeyOf(25), std::nullopt);
  EXPECT_EQ(HotKeyOf(255), std::nullopt);
  // A stored 266 keeps its low 8 bits: F10.
  EXPECT_EQ(HotKeyOf(static_cast<std::uint8_t>(266)), 10);

  sim::RecordingHotKeys keys;
  RegisterAppHotKey(keys, 12);
  RegisterAppHotKey(keys, 0);
  RegisterAppHotKey(keys, 200);
  EXPECT_EQ(keys.calls, (std::vector<std::string>{"unregister 105", "register 105 F12",
                                                  "unregister 105", "unregister 105"}));
}

TEST(OptionsDialogTest, OkTakesTheChoicesInEightBitsAndCancelChangesNothing) {
  HotKeyCode = 0;
  MinimizeToTray = true;
  TDlgOptions dialog;
  dialog.FormShow();
  EXPECT_EQ(dialog.HotKeyIndex(), 0);
  EXPECT_TRUE(dialog.MinimizeToTrayChecked());
  dialog.SetHotKeyIndex(5);
  dialog.SetMinimizeToTrayChecked(false);
  dialog.FormClose(false);
  EXPECT_EQ(HotKeyCode, 0);
  EXPECT_TRUE(MinimizeToTray);
  dialog.FormClose(true);
  EXPECT_EQ(HotKeyCode, 5);
  EXPECT_FALSE(MinimizeToTray);

  // A hand-edited index above the list shows no selection; OK without a choice stores 255.
  HotKeyCode = 20;
  dialog.FormShow();
  EXPECT_EQ(dialog.HotKeyIndex(), -1);
  dialog.FormClose(true);
  EXPECT_EQ(HotKeyCode, 255);
}

}  // namespace
}  // namespace tarvex
