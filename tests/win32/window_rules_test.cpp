// The main window's rules that need no window: the shortcut table and the screen snap.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/action_list.h"
#include "win32/views/action_commands.h"
#include "win32/platform/program_windows_disabled.h"
#include "win32/program/screen_snap.h"
#include "win32/program/shortcut_table.h"
#include "own_window.h"

namespace tarvex::win32::testing {
namespace {

bool SameAccelerator(const ACCEL& a, const ACCEL& b) {
  return a.fVirt == b.fVirt && a.key == b.key && a.cmd == b.cmd;
}

TEST(ShortcutTableTest, HoldsTheActionsKeysWithExactModifiers) {
  const BYTE ctrl = FVIRTKEY | FCONTROL;
  const ACCEL expected[] = {
      {FVIRTKEY, VK_F5, CommandOf(ActionId::ActRefresh)},
      {ctrl, 'A', CommandOf(ActionId::ActCheckAll)},
      {ctrl | FSHIFT, 'A', CommandOf(ActionId::ActUncheckAll)},
      {ctrl, 'R', CommandOf(ActionId::ActRestore)},
      {ctrl, 'M', CommandOf(ActionId::ActMinimize)},
      {ctrl, 'T', CommandOf(ActionId::ActTerminate)},
      {FVIRTKEY, VK_F2, CommandOf(ActionId::ActSwitchTo)},
      {ctrl, 'I', CommandOf(ActionId::ActIgnoreList)},
  };
  const std::vector<ACCEL> table = ShortcutAccelerators();
  ASSERT_EQ(table.size(), std::size(expected));
  EXPECT_TRUE(std::equal(table.begin(), table.end(), std::begin(expected), SameAccelerator));
}

TEST(ScreenSnapTest, EdgesNearTheScreenJumpOntoItAndTheSizeStays) {
  const RECT work{0, 0, 1280, 770};
  const auto snapped = [&](RECT frame) { return SnapToScreen(frame, work, 10); };
  const auto same = [](const RECT& a, const RECT& b) {
    return a.left == b.left && a.top == b.top && a.right == b.right && a.bottom == b.bottom;
  };
  EXPECT_TRUE(same(snapped({9, 200, 330, 446}), {0, 200, 321, 446}));
  EXPECT_TRUE(same(snapped({-9, -5, 312, 241}), {0, 0, 321, 246}));
  EXPECT_TRUE(same(snapped({10, 10, 331, 256}), {10, 10, 331, 256})) << "10 is not near";
  EXPECT_TRUE(same(snapped({950, 520, 1271, 766}), {959, 524, 1280, 770}));
  EXPECT_TRUE(same(snapped({965, 530, 1286, 776}), {959, 524, 1280, 770}));
  EXPECT_TRUE(same(snapped({500, 300, 821, 546}), {500, 300, 821, 546}));
}

TEST(ProgramWindowsDisabledTest, DisablesTheOtherVisibleWindowsWhileItLasts) {
  OwnWindow owner("Tarvex test box owner");
  OwnWindow other("Tarvex test other window");
  OwnWindow hidden("Tarvex test hidden window", false);
  OwnWindow alreadyDisabled("Tarvex test disabled window");
  ::EnableWindow(alreadyDisabled.Hwnd(), FALSE);
  ::SetActiveWindow(other.Hwnd());
  {
    const ProgramWindowsDisabled disabled(owner.Hwnd());
    EXPECT_TRUE(::IsWindowEnabled(owner.Hwnd())) << "the box disables its owner itself";
    EXPECT_FALSE(::IsWindowEnabled(other.Hwnd()));
    EXPECT_TRUE(::IsWindowEnabled(hidden.Hwnd()));
    ::SetActiveWindow(owner.Hwnd());
  }
  EXPECT_TRUE(::IsWindowEnabled(other.Hwnd()));
  EXPECT_FALSE(::IsWindowEnabled(alreadyDisabled.Hwnd())) << "was disabled before";
  EXPECT_EQ(::GetActiveWindow(), other.Hwnd());
}

}  // namespace
}  // namespace tarvex::win32::testing
