// The main window with its real controls, filled from the real desktop.
#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <memory>

#include "app/action_list.h"
#include "main_window_driver.h"
#include "own_window.h"
#include "test_desktop.h"
#include "app/about_box.h"
#include "win32/views/action_commands.h"
#include "win32/program/main_window.h"
#include "window_maker_process.h"

namespace tarvex::win32::testing {
namespace {

class MainWindowTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
    maker_ = std::make_unique<WindowMakerProcess>(TestWindowArguments());
  }
  static void TearDownTestSuite() { maker_.reset(); }

  void SetUp() override {
    window_.Create();
    window_.ShowFirst(SW_SHOWNOACTIVATE);
  }

  HWND List() { return window_.List().Handle(); }
  LRESULT Send(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(List(), message, wParam, lParam);
  }
  int RowCount() { return static_cast<int>(Send(LVM_GETITEMCOUNT)); }
  std::string Text(int row, int column) {
    char buffer[300] = {};
    LVITEMA item{};
    item.iSubItem = column;
    item.pszText = buffer;
    item.cchTextMax = sizeof(buffer);
    Send(LVM_GETITEMTEXTA, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
    return buffer;
  }
  int RowOf(const std::string& caption) {
    for (int i = 0; i < RowCount(); ++i) {
      if (Text(i, 0) == caption) return i;
    }
    return -1;
  }
  bool Checked(int row) {
    return Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK) ==
           INDEXTOSTATEIMAGEMASK(2);
  }
  // As a click on the check box does it: the control changes the state and tells its parent.
  void SetState(int row, UINT state, UINT mask) {
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
  }
  void ClickHeader(int column) {
    NMLISTVIEW click{};
    click.hdr.hwndFrom = List();
    click.hdr.code = LVN_COLUMNCLICK;
    click.iItem = -1;
    click.iSubItem = column;
    ::SendMessageA(window_.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
  }

  inline static std::unique_ptr<WindowMakerProcess> maker_;
  MainWindow window_;
};

TEST_F(MainWindowTest, ShowsTheDesignedWindowAndColumns) {
  char caption[64] = {};
  ::GetWindowTextA(window_.Handle(), caption, sizeof(caption));
  EXPECT_STREQ(caption, "Tarvex 1.0");

  char text[32] = {};
  LVCOLUMNA column{};
  column.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
  column.pszText = text;
  column.cchTextMax = sizeof(text);
  ASSERT_TRUE(Send(LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)));
  EXPECT_STREQ(text, "Application");
  EXPECT_EQ(column.cx, 130);
  EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_LEFT);
  ASSERT_TRUE(Send(LVM_GETCOLUMNA, 1, reinterpret_cast<LPARAM>(&column)));
  EXPECT_STREQ(text, "Process ID");
  EXPECT_EQ(column.cx, 67);
  EXPECT_EQ(column.fmt & LVCFMT_JUSTIFYMASK, LVCFMT_RIGHT);

  const auto styles = Send(LVM_GETEXTENDEDLISTVIEWSTYLE);
  EXPECT_EQ(styles & (LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT),
            LVS_EX_CHECKBOXES | LVS_EX_FULLROWSELECT);
  const auto style = ::GetWindowLongPtrA(List(), GWL_STYLE);
  EXPECT_EQ(style & (LVS_TYPEMASK | LVS_SINGLESEL | LVS_SHOWSELALWAYS | LVS_EDITLABELS),
            LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS);
}

TEST_F(MainWindowTest, KeepsItsMinimumSizeAndFillsItWithListAndStatusBar) {
  ::SetWindowPos(window_.Handle(), nullptr, 0, 0, 100, 50, SWP_NOMOVE | SWP_NOZORDER);
  RECT frame{};
  ::GetWindowRect(window_.Handle(), &frame);
  EXPECT_GE(frame.right - frame.left, 321);
  EXPECT_GE(frame.bottom - frame.top, 125);

  ::SetWindowPos(window_.Handle(), nullptr, 0, 0, 400, 300, SWP_NOMOVE | SWP_NOZORDER);
  RECT client{};
  ::GetClientRect(window_.Handle(), &client);
  RECT list{};
  ::GetWindowRect(List(), &list);
  RECT status{};
  ::GetWindowRect(window_.Status().Handle(), &status);
  POINT origin{0, 0};
  ::ClientToScreen(window_.Handle(), &origin);
  EXPECT_EQ(list.left, origin.x);
  EXPECT_EQ(list.right - list.left, client.right);
  EXPECT_EQ(list.bottom, status.top);
  EXPECT_EQ(status.bottom, origin.y + client.bottom);
}

TEST_F(MainWindowTest, ListsTheDesktopsApplicationsButNotItself) {
  const int row = RowOf("Tarvex test visible");
  ASSERT_GE(row, 0);
  EXPECT_EQ(Text(row, 1), std::to_string(maker_->ProcessId()));
  EXPECT_EQ(RowOf("Tarvex 1.0"), -1);
  EXPECT_EQ(RowOf("Tarvex test hidden"), -1);
  EXPECT_EQ(RowCount(), static_cast<int>(window_.Form().Rows().size()));
  EXPECT_EQ(window_.Status().PanelText(1), "Application list refreshed");
}

TEST_F(MainWindowTest, ReportsChecksAndSelectionAndKeepsThemThroughASort) {
  const int row = RowOf("Tarvex test visible");
  ASSERT_GE(row, 0);
  SetState(row, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
  SetState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  EXPECT_TRUE(window_.Form().Rows()[static_cast<std::size_t>(row)].checked);
  EXPECT_EQ(window_.Form().Selected(), row);
  EXPECT_EQ(window_.Form().CheckedCount(), 1);

  ClickHeader(1);  // by process id
  const int moved = RowOf("Tarvex test visible");
  ASSERT_GE(moved, 0);
  EXPECT_TRUE(Checked(moved));
  EXPECT_EQ(window_.Form().Selected(), moved) << "the control's redraw was taken for a click";
  EXPECT_EQ(window_.Form().CheckedCount(), 1);
  for (int i = 0; i < RowCount(); ++i) {
    EXPECT_EQ(Text(i, 0), window_.Form().Rows()[static_cast<std::size_t>(i)].caption);
  }

  ::ShowWindow(window_.Handle(), SW_SHOWNOACTIVATE);
  window_.Idle();
  EXPECT_EQ(window_.Status().PanelText(0),
            std::to_string(moved + 1) + ": " + std::to_string(RowCount()) + ": 1");
}

// Version 6 of the common controls checks a row on a double click; Wine's does not, but it
// toggles the box on the first press of a double click on it and ignores the second. Either way
// a double click must leave the check marks as they were and only select.
TEST_F(MainWindowTest, ADoubleClickOnARowOnlySelectsIt) {
  const int row = RowOf("Tarvex test visible");
  ASSERT_GE(row, 0);
  const auto doubleClick = [this](POINT at) {
    const LPARAM where = MAKELPARAM(at.x, at.y);
    for (const UINT message : {WM_LBUTTONDOWN, WM_LBUTTONUP, WM_LBUTTONDBLCLK, WM_LBUTTONUP}) {
      ::PostMessageA(List(), message, message == WM_LBUTTONUP ? 0 : MK_LBUTTON, where);
    }
    MainWindowDriver::PumpFor(100);
  };
  RECT label{};
  label.left = LVIR_LABEL;
  ASSERT_TRUE(Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&label)));
  const LONG middle = (label.top + label.bottom) / 2;

  doubleClick({label.left + 4, middle});
  EXPECT_EQ(window_.Form().Selected(), row);
  EXPECT_FALSE(Checked(row));
  EXPECT_EQ(window_.Form().CheckedCount(), 0);

  // On the check box itself.
  LVHITTESTINFO hit{};
  for (hit.pt = {0, middle}; hit.pt.x < label.left; ++hit.pt.x) {
    Send(LVM_HITTEST, 0, reinterpret_cast<LPARAM>(&hit));
    if ((hit.flags & LVHT_ONITEMSTATEICON) != 0) break;
  }
  ASSERT_LT(hit.pt.x, label.left) << "no check box left of the caption";
  doubleClick({hit.pt.x + 2, middle});
  EXPECT_FALSE(Checked(row));
  EXPECT_EQ(window_.Form().CheckedCount(), 0);
}

// Holds modifier keys down as the thread's keyboard state has them, which is what the shortcut
// translation reads; lets them go again at the end.
class KeysHeld {
 public:
  explicit KeysHeld(std::initializer_list<int> keys) {
    ::GetKeyboardState(saved_);
    BYTE state[256];
    std::copy(std::begin(saved_), std::end(saved_), state);
    for (int key : keys) state[key] = 0x80;
    ::SetKeyboardState(state);
  }
  ~KeysHeld() { ::SetKeyboardState(saved_); }

 private:
  BYTE saved_[256] = {};
};

bool PressKey(MainWindow& window, WPARAM key) {
  MSG message{};
  message.hwnd = window.List().Handle();
  message.message = WM_KEYDOWN;
  message.wParam = key;
  return window.TranslateShortcut(message);
}

TEST_F(MainWindowTest, ShortcutsRunTheirActionsOnlyWhileTheWindowIsActiveAndEnabled) {
  const int row = RowOf("Tarvex test visible");
  ASSERT_GE(row, 0);
  ::SetActiveWindow(window_.Handle());
  ASSERT_EQ(::GetActiveWindow(), window_.Handle());
  {
    KeysHeld ctrl{VK_CONTROL};
    EXPECT_TRUE(PressKey(window_, 'A'));
    EXPECT_EQ(window_.Form().CheckedCount(), RowCount());
    EXPECT_TRUE(Checked(row));
  }
  {
    KeysHeld ctrlShift{VK_CONTROL, VK_SHIFT};
    EXPECT_TRUE(PressKey(window_, 'A'));
    EXPECT_EQ(window_.Form().CheckedCount(), 0);
    EXPECT_FALSE(Checked(row));
  }
  SetState(row, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
  EXPECT_FALSE(PressKey(window_, 'A')) << "Ctrl+A without Ctrl";

  // While a box is up the window is disabled: the shortcut is not the window's.
  ::EnableWindow(window_.Handle(), FALSE);
  EXPECT_FALSE(PressKey(window_, VK_F5));
  ::EnableWindow(window_.Handle(), TRUE);
  OwnWindow other("Tarvex test other active window");
  ::SetActiveWindow(other.Hwnd());
  EXPECT_FALSE(PressKey(window_, VK_F5));
  EXPECT_EQ(RowOf("Tarvex test other active window"), -1);

  ::SetActiveWindow(window_.Handle());
  EXPECT_TRUE(PressKey(window_, VK_F5));
  // The refresh lists the window opened since, and the check mark stays with its window.
  EXPECT_NE(RowOf("Tarvex test other active window"), -1);
  EXPECT_EQ(window_.Form().CheckedCount(), 1);
  EXPECT_TRUE(Checked(RowOf("Tarvex test visible")));
}

class ToolBarTest : public MainWindowTest {
 protected:
  HWND Bar() { return window_.Tools().Handle(); }
  LRESULT SendBar(UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
    return ::SendMessageA(Bar(), message, wParam, lParam);
  }
  bool ButtonEnabled(ActionId action) {
    return SendBar(TB_ISBUTTONENABLED, CommandOf(action)) != 0;
  }
  // The centre of the layout slot's button, in screen coordinates.
  POINT CentreOf(std::size_t slot) {
    RECT bounds{};
    SendBar(TB_GETITEMRECT, slot, reinterpret_cast<LPARAM>(&bounds));
    POINT centre{(bounds.left + bounds.right) / 2, (bounds.top + bounds.bottom) / 2};
    ::ClientToScreen(Bar(), &centre);
    return centre;
  }
  std::string HintLineWithMouseAt(POINT point) {
    ::SetCursorPos(point.x, point.y);
    window_.Idle();
    return window_.Status().PanelText(1);
  }
};

TEST_F(ToolBarTest, ShowsTheDesignedButtonsAboveTheList) {
  ASSERT_EQ(SendBar(TB_BUTTONCOUNT), static_cast<LRESULT>(kToolBarLayout.size()));
  for (std::size_t i = 0; i < kToolBarLayout.size(); ++i) {
    TBBUTTON button{};
    ASSERT_TRUE(SendBar(TB_GETBUTTON, i, reinterpret_cast<LPARAM>(&button)));
    if (!kToolBarLayout[i]) {
      EXPECT_NE(button.fsStyle & BTNS_SEP, 0) << "slot " << i;
      EXPECT_EQ(button.iBitmap, 8) << "separator width, slot " << i;
      continue;
    }
    EXPECT_EQ(button.fsStyle & BTNS_SEP, 0) << "slot " << i;
    EXPECT_EQ(button.idCommand, CommandOf(*kToolBarLayout[i])) << "slot " << i;
    EXPECT_EQ(button.iBitmap, ActionOf(*kToolBarLayout[i]).imageIndex) << "slot " << i;
  }
  EXPECT_EQ(SendBar(TB_GETIMAGELIST) != 0, true);
  EXPECT_EQ(::ImageList_GetImageCount(reinterpret_cast<HIMAGELIST>(SendBar(TB_GETIMAGELIST))),
            static_cast<int>(kActionCount));
  const auto style = ::GetWindowLongPtrA(Bar(), GWL_STYLE);
  EXPECT_EQ(style & (TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | TBSTYLE_WRAPABLE | CCS_NODIVIDER),
            TBSTYLE_FLAT | TBSTYLE_TOOLTIPS | CCS_NODIVIDER);

  RECT bar{};
  ::GetWindowRect(Bar(), &bar);
  RECT list{};
  ::GetWindowRect(List(), &list);
  EXPECT_EQ(bar.bottom - bar.top, 22);
  EXPECT_EQ(list.top, bar.bottom);
  RECT first{};
  SendBar(TB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&first));
  EXPECT_EQ(first.left, 5) << "indent";
}

TEST_F(ToolBarTest, ButtonsFollowTheActionsStatesAndRunThem) {
  const int row = RowOf("Tarvex test visible");
  ASSERT_GE(row, 0);
  window_.Idle();
  EXPECT_TRUE(ButtonEnabled(ActionId::ActRefresh));
  EXPECT_TRUE(ButtonEnabled(ActionId::ActCheckAll));
  for (ActionId onChecked : {ActionId::ActUncheckAll, ActionId::ActRestore, ActionId::ActMinimize,
                             ActionId::ActTerminate, ActionId::ActSwitchTo}) {
    EXPECT_FALSE(ButtonEnabled(onChecked)) << ActionOf(onChecked).name;
  }

  // A click on Check All, as the bar reports it.
  ::SendMessageA(window_.Handle(), WM_COMMAND, CommandOf(ActionId::ActCheckAll),
                 reinterpret_cast<LPARAM>(Bar()));
  EXPECT_EQ(window_.Form().CheckedCount(), RowCount());
  SetState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  window_.Idle();
  EXPECT_FALSE(ButtonEnabled(ActionId::ActCheckAll));
  for (ActionId onChecked : {ActionId::ActUncheckAll, ActionId::ActRestore, ActionId::ActMinimize,
                             ActionId::ActTerminate, ActionId::ActSwitchTo}) {
    EXPECT_TRUE(ButtonEnabled(onChecked)) << ActionOf(onChecked).name;
  }
}

TEST_F(ToolBarTest, TooltipsAndHintLineShowTheHintUnderTheMouse) {
  NMTTDISPINFOA ask{};
  ask.hdr.hwndFrom = reinterpret_cast<HWND>(SendBar(TB_GETTOOLTIPS));
  ask.hdr.idFrom = CommandOf(ActionId::ActIgnoreList);
  ask.hdr.code = TTN_GETDISPINFOA;
  ::SendMessageA(window_.Handle(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&ask));
  ASSERT_NE(ask.lpszText, nullptr);
  EXPECT_STREQ(ask.lpszText, "Ignore List");

  // WindowFromPoint must find this window, not one of the helper's.
  ::SetWindowPos(window_.Handle(), HWND_TOPMOST, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(HintLineWithMouseAt(CentreOf(0)), "Refresh application list");
  RECT list{};
  ::GetWindowRect(List(), &list);
  EXPECT_EQ(HintLineWithMouseAt({(list.left + list.right) / 2, (list.top + list.bottom) / 2}),
            MakerNotice(2003, 0));
  EXPECT_EQ(HintLineWithMouseAt(CentreOf(1)), MakerNotice(2003, 0)) << "over a separator";
  EXPECT_EQ(HintLineWithMouseAt(CentreOf(kToolBarLayout.size() - 1)), "About this application");
  RECT frame{};
  ::GetWindowRect(window_.Handle(), &frame);
  EXPECT_EQ(HintLineWithMouseAt({frame.right + 40, frame.bottom + 40}), "");
}

TEST_F(MainWindowTest, ExitClosesTheWindow) {
  window_.Form().ExecuteAction(ActionId::ActExit);
  MSG message;
  while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
  EXPECT_EQ(window_.Handle(), nullptr);
}

}  // namespace
}  // namespace tarvex::win32::testing
