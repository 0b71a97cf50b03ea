// The main window with its real controls, filled from the real desktop.
#include <gtest/gtest.h>

#include <memory>

#include "test_desktop.h"
#include "win32/main_window.h"
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

TEST_F(MainWindowTest, F5RefreshesTheList) {
  const int row = RowOf("Tarvex test visible");
  ASSERT_GE(row, 0);
  SetState(row, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK);
  ASSERT_EQ(window_.Form().CheckedCount(), 1);

  MSG key{};
  key.hwnd = List();
  key.message = WM_KEYDOWN;
  key.wParam = VK_F5;
  EXPECT_TRUE(window_.TranslateShortcut(key));
  // A refresh drops every check mark.
  EXPECT_EQ(window_.Form().CheckedCount(), 0);
  EXPECT_FALSE(Checked(RowOf("Tarvex test visible")));
}

}  // namespace
}  // namespace tarvex::win32::testing
