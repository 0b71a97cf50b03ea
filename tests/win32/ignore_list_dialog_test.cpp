// The ignore list dialog and the input box, driven as a user would drive them.
#include <gtest/gtest.h>

#include <deque>
#include <optional>

#include "dialog_frame.h"
#include "modal_script.h"
#include "own_window.h"
#include "settings/ignore_list.h"
#include "win32/dialogs/win32_ignore_list_dialog.h"
#include "win32/platform/win32_input_box.h"
#include "win32/platform/win32_text_collation.h"

namespace tarvex::win32::testing {
namespace {

using Entries = std::vector<std::string>;

class AnsweringInputBox final : public InputBox {
 public:
  std::optional<std::string> Ask(const std::string&, const std::string&,
                                 const std::string&) override {
    auto answer = answers.front();
    answers.pop_front();
    return answer;
  }
  std::deque<std::optional<std::string>> answers;
};

Entries ListBoxEntries(HWND list) {
  Entries entries;
  const auto count = ::SendMessageA(list, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char text[300] = {};
    ::SendMessageA(list, LB_GETTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(text));
    entries.emplace_back(text);
  }
  return entries;
}

RECT ClientRectOf(HWND control, HWND dialog) {
  RECT frame{};
  ::GetWindowRect(control, &frame);
  ::MapWindowPoints(nullptr, dialog, reinterpret_cast<POINT*>(&frame), 2);
  return frame;
}

class IgnoreListDialogTest : public ::testing::Test {
 protected:
  void SetUp() override { IgnoreList.Replace({"Beta", "alpha"}); }
  void TearDown() override { IgnoreList.Replace({}); }

  bool Show() {
    Win32IgnoreListDialog view(owner_.Hwnd());
    return ShowIgnoreListDialog(collation_, input_, view);
  }
  static bool Enabled(HWND dialog, int id) { return ::IsWindowEnabled(::GetDlgItem(dialog, id)); }
  static void Select(HWND dialog, int index) {
    ::SendMessageA(::GetDlgItem(dialog, kIgnoreListBox), LB_SETCURSEL, static_cast<WPARAM>(index),
                   0);
    Notify(dialog, kIgnoreListBox, LBN_SELCHANGE);
  }

  OwnWindow owner_{"Tarvex test dialog owner"};
  Win32TextCollation collation_;
  AnsweringInputBox input_;
};

TEST_F(IgnoreListDialogTest, HasTheDesignedLayoutCentredOnItsOwner) {
  ::SetWindowPos(owner_.Hwnd(), nullptr, 100, 80, 600, 500, SWP_NOZORDER | SWP_NOACTIVATE);
  const WhenWindowUp user(kIgnoreListCaption, [&](HWND dialog) {
    ExpectDialogFrame(dialog, owner_.Hwnd(), 359, 214);

    const HWND list = ::GetDlgItem(dialog, kIgnoreListBox);
    const RECT listFrame = ClientRectOf(list, dialog);
    EXPECT_EQ(listFrame.left, 20);
    EXPECT_EQ(listFrame.top, 20);
    EXPECT_EQ(listFrame.right, 255);
    EXPECT_EQ(listFrame.bottom, 161);
    const auto listStyle = ::GetWindowLongPtrA(list, GWL_STYLE);
    EXPECT_EQ(listStyle & (LBS_SORT | LBS_NOTIFY | WS_BORDER), LBS_NOTIFY);
    EXPECT_EQ(::SendMessageA(list, LB_GETITEMHEIGHT, 0, 0), 13);
    const RECT ok = ClientRectOf(::GetDlgItem(dialog, IDOK), dialog);
    EXPECT_EQ(ok.left, 276);
    EXPECT_EQ(ok.top, 8);
    EXPECT_EQ(ok.right - ok.left, 75);
    EXPECT_EQ(ok.bottom - ok.top, 25);
    EXPECT_EQ(TextOf(::GetDlgItem(dialog, kIgnoreListRemove)), "Remo&ve");
    EXPECT_EQ(::SendMessageA(dialog, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));

    // Tab order: the list, Add, Modify, Remove, OK, Cancel (with every button enabled).
    Select(dialog, 0);
    HWND control = list;
    for (int id : {int{kIgnoreListAdd}, int{kIgnoreListModify}, int{kIgnoreListRemove}, IDOK,
                   IDCANCEL, int{kIgnoreListBox}}) {
      control = ::GetNextDlgTabItem(dialog, control, FALSE);
      EXPECT_EQ(::GetDlgCtrlID(control), id);
    }
    Notify(dialog, IDCANCEL, BN_CLICKED);
  });
  EXPECT_FALSE(Show());
  EXPECT_TRUE(user.Acted());
}

TEST_F(IgnoreListDialogTest, ShowsEveryStepOfTheEditAndHandsItBackOnOk) {
  input_.answers = {" Gamma ", "BETA"};
  const WhenWindowUp user(kIgnoreListCaption, [&](HWND dialog) {
    const HWND list = ::GetDlgItem(dialog, kIgnoreListBox);
    EXPECT_EQ(ListBoxEntries(list), (Entries{"alpha", "Beta"}));
    EXPECT_FALSE(Enabled(dialog, kIgnoreListModify));
    EXPECT_FALSE(Enabled(dialog, kIgnoreListRemove));
    EXPECT_TRUE(Enabled(dialog, kIgnoreListAdd));

    Select(dialog, 1);
    EXPECT_TRUE(Enabled(dialog, kIgnoreListModify));
    EXPECT_TRUE(Enabled(dialog, kIgnoreListRemove));

    Notify(dialog, kIgnoreListAdd, BN_CLICKED);  // " Gamma "
    EXPECT_EQ(ListBoxEntries(list), (Entries{"alpha", "Beta", "Gamma"}));
    EXPECT_EQ(::SendMessageA(list, LB_GETCURSEL, 0, 0), 1) << "the selection stays on Beta";
    Notify(dialog, kIgnoreListAdd, BN_CLICKED);  // "BETA", known already
    EXPECT_EQ(ListBoxEntries(list), (Entries{"alpha", "Beta", "Gamma"}));

    Notify(dialog, kIgnoreListRemove, BN_CLICKED);
    EXPECT_EQ(ListBoxEntries(list), (Entries{"alpha", "Gamma"}));
    EXPECT_EQ(::SendMessageA(list, LB_GETCURSEL, 0, 0), LB_ERR);
    EXPECT_FALSE(Enabled(dialog, kIgnoreListModify));
    EXPECT_FALSE(Enabled(dialog, kIgnoreListRemove));
    Notify(dialog, IDOK, BN_CLICKED);
  });
  EXPECT_TRUE(Show());
  EXPECT_TRUE(user.Acted());
  EXPECT_EQ(IgnoreList.Entries(), (Entries{"alpha", "Gamma"}));
}

TEST_F(IgnoreListDialogTest, CancelAndTheCloseBoxKeepTheIgnoreList) {
  input_.answers = {"Delta"};
  {
    const WhenWindowUp user(kIgnoreListCaption, [&](HWND dialog) {
      Notify(dialog, kIgnoreListAdd, BN_CLICKED);
      Notify(dialog, IDCANCEL, BN_CLICKED);
    });
    EXPECT_FALSE(Show());
  }
  {
    const WhenWindowUp user(kIgnoreListCaption, [&](HWND dialog) {
      Select(dialog, 0);
      Notify(dialog, kIgnoreListRemove, BN_CLICKED);
      ::SendMessageA(dialog, WM_CLOSE, 0, 0);
    });
    EXPECT_FALSE(Show());
  }
  EXPECT_EQ(IgnoreList.Entries(), (Entries{"Beta", "alpha"}));
}

class InputBoxTest : public ::testing::Test {
 protected:
  Win32InputBox box_;
};

TEST_F(InputBoxTest, StartsWithTheTextSelectedAndTakesAtMost255Characters) {
  const WhenWindowUp user("Modify", [](HWND box) {
    const HWND field = ::GetDlgItem(box, kInputBoxEdit);
    EXPECT_EQ(TextOf(field), "Notepad");
    DWORD start = 1;
    DWORD end = 0;
    ::SendMessageA(field, EM_GETSEL, reinterpret_cast<WPARAM>(&start),
                   reinterpret_cast<LPARAM>(&end));
    EXPECT_EQ(start, 0u);
    EXPECT_EQ(end, 7u);
    EXPECT_EQ(::SendMessageA(box, DM_GETDEFID, 0, 0), MAKELRESULT(IDOK, DC_HASDEFID));

    // Centred on the screen; prompt, field and buttons from top to bottom.
    RECT frame{};
    ::GetWindowRect(box, &frame);
    EXPECT_NEAR((frame.left + frame.right) / 2, ::GetSystemMetrics(SM_CXSCREEN) / 2, 1);
    EXPECT_NEAR((frame.top + frame.bottom) / 2, ::GetSystemMetrics(SM_CYSCREEN) / 2, 1);
    const RECT prompt = ClientRectOf(::GetDlgItem(box, kInputBoxPrompt), box);
    const RECT edit = ClientRectOf(field, box);
    const RECT ok = ClientRectOf(::GetDlgItem(box, IDOK), box);
    const RECT cancel = ClientRectOf(::GetDlgItem(box, IDCANCEL), box);
    EXPECT_EQ(edit.left, prompt.left);
    EXPECT_EQ(edit.top, prompt.bottom + 5);
    EXPECT_EQ(ok.top, edit.bottom + 15);
    EXPECT_EQ(cancel.top, ok.top);
    EXPECT_LT(ok.right, cancel.left);
    RECT client{};
    ::GetClientRect(box, &client);
    EXPECT_EQ(client.bottom, ok.bottom + 13);

    ::SendMessageA(field, EM_SETSEL, 0, -1);
    for (int i = 0; i < 300; ++i) ::SendMessageA(field, WM_CHAR, 'x', 0);
    Notify(box, IDOK, BN_CLICKED);
  });
  EXPECT_EQ(box_.Ask("Modify", "Caption:", "Notepad"), std::string(255, 'x'));
  EXPECT_TRUE(user.Acted());
}

TEST_F(InputBoxTest, CancelEscapeAndTheCloseBoxGiveNothing) {
  for (UINT message : {WM_COMMAND, WM_CLOSE}) {
    const WhenWindowUp user("Add", [message](HWND box) {
      ::SetWindowTextA(::GetDlgItem(box, kInputBoxEdit), "typed");
      if (message == WM_CLOSE) {
        ::SendMessageA(box, WM_CLOSE, 0, 0);
      } else {
        Notify(box, IDCANCEL, BN_CLICKED);
      }
    });
    EXPECT_EQ(box_.Ask("Add", "Caption:", ""), std::nullopt);
    EXPECT_TRUE(user.Acted());
  }
}

}  // namespace
}  // namespace tarvex::win32::testing
