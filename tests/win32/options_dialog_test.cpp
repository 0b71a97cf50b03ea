// The options dialog, driven as a user would drive it.
#include <gtest/gtest.h>

#include "dialog_frame.h"
#include "modal_script.h"
#include "own_window.h"
#include "settings/options.h"
#include "win32/dialogs/win32_options_dialog.h"

namespace tarvex::win32::testing {
namespace {

RECT FrameIn(HWND dialog, int id) {
  RECT frame{};
  ::GetWindowRect(::GetDlgItem(dialog, id), &frame);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&frame), 2);
  return frame;
}

class OptionsDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    HotKeyCode = 3;
    MinimizeToTray = true;
  }

  bool Show() {
    Win32OptionsDialog view(owner_.Hwnd());
    return ShowOptionsDialog(view);
  }
  static HWND List(HWND dialog) { return ::GetDlgItem(dialog, kOptionsHotKey); }
  static LRESULT Selected(HWND dialog) { return ::SendMessageA(List(dialog), CB_GETCURSEL, 0, 0); }
  static bool Checked(HWND dialog) {
    return ::SendMessageA(::GetDlgItem(dialog, kOptionsMinimizeToTray), BM_GETCHECK, 0, 0) ==
           BST_CHECKED;
  }

  OwnWindow owner_{"Tarvex test options owner"};
};

TEST_F(OptionsDialogTest, HasTheDesignedLayoutAndShowsTheOptions) {
  ::SetWindowPos(owner_.Hwnd(), nullptr, 100, 80, 600, 500, SWP_NOZORDER | SWP_NOACTIVATE);
  const WhenWindowUp user(kOptionsCaption, [&](HWND dialog) {
    ExpectDialogFrame(dialog, owner_.Hwnd(), 227, 84);

    const HWND list = List(dialog);
    EXPECT_EQ(::GetWindowLongPtrA(list, GWL_STYLE) & 3, CBS_DROPDOWNLIST);
    const RECT listFrame = FrameIn(dialog, kOptionsHotKey);
    EXPECT_EQ(listFrame.left, 68);
    EXPECT_EQ(listFrame.top, 20);
    EXPECT_EQ(listFrame.right - listFrame.left, 53);
    EXPECT_EQ(listFrame.bottom - listFrame.top, 21);
    ASSERT_EQ(::SendMessageA(list, CB_GETCOUNT, 0, 0), 13);
    char item[16] = {};
    ::SendMessageA(list, CB_GETLBTEXT, 12, reinterpret_cast<LPARAM>(item));
    EXPECT_STREQ(item, "F12");
    EXPECT_EQ(Selected(dialog), 3);
    EXPECT_TRUE(Checked(dialog));
    EXPECT_EQ(TextOf(::GetDlgItem(dialog, kOptionsHotKeyLabel)), "Hot &key:");
    EXPECT_EQ(TextOf(::GetDlgItem(dialog, kOptionsMinimizeToTray)), "Minimize to &tray");
    const RECT box = FrameIn(dialog, kOptionsMinimizeToTray);
    EXPECT_EQ(box.left, 20);
    EXPECT_EQ(box.top, 48);
    const RECT cancel = FrameIn(dialog, IDCANCEL);
    EXPECT_EQ(cancel.left, 144);
    EXPECT_EQ(cancel.top, 36);
    EXPECT_EQ(cancel.right - cancel.left, 75);
    EXPECT_EQ(cancel.bottom - cancel.top, 25);
    EXPECT_EQ(::SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));
    EXPECT_EQ(::GetFocus(), list);

    // Tab order: the list, the box, OK, Cancel.
    HWND control = list;
    for (int id : {int{kOptionsMinimizeToTray}, IDOK, IDCANCEL, int{kOptionsHotKey}}) {
      control = ::GetNextDlgTabItem(dialog, control, FALSE);
      EXPECT_EQ(::GetDlgCtrlID(control), id);
    }
    Notify(dialog, IDCANCEL, BN_CLICKED);
  });
  EXPECT_FALSE(Show());
  EXPECT_TRUE(user.Acted());
}

TEST_F(OptionsDialogTest, OkHandsBackTheChoiceCancelAndTheCloseBoxKeepTheOptions) {
  for (const bool viaCloseBox : {false, true}) {
    const WhenWindowUp user(kOptionsCaption, [&](HWND dialog) {
      ::SendMessageA(List(dialog), CB_SETCURSEL, 5, 0);
      ::SendMessageA(::GetDlgItem(dialog, kOptionsMinimizeToTray), BM_SETCHECK, BST_UNCHECKED, 0);
      if (viaCloseBox) {
        ::SendMessageA(dialog, WM_CLOSE, 0, 0);
      } else {
        Notify(dialog, IDCANCEL, BN_CLICKED);
      }
    });
    EXPECT_FALSE(Show());
    EXPECT_EQ(HotKeyCode, 3);
    EXPECT_TRUE(MinimizeToTray);
  }

  const WhenWindowUp user(kOptionsCaption, [&](HWND dialog) {
    ::SendMessageA(List(dialog), CB_SETCURSEL, 5, 0);
    ::SendMessageA(::GetDlgItem(dialog, kOptionsMinimizeToTray), BM_SETCHECK, BST_UNCHECKED, 0);
    Notify(dialog, IDOK, BN_CLICKED);
  });
  EXPECT_TRUE(Show());
  EXPECT_EQ(HotKeyCode, 5);
  EXPECT_FALSE(MinimizeToTray);
}

TEST_F(OptionsDialogTest, AKeyBeyondTheListShowsNoSelectionAndOkStoresNone) {
  HotKeyCode = 20;  // F20, from a settings file edited by hand
  const WhenWindowUp user(kOptionsCaption, [&](HWND dialog) {
    EXPECT_EQ(Selected(dialog), CB_ERR);
    Notify(dialog, IDOK, BN_CLICKED);
  });
  EXPECT_TRUE(Show());
  EXPECT_EQ(HotKeyCode, 255);
}

}  // namespace
}  // namespace tarvex::win32::testing
