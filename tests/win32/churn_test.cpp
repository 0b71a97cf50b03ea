// Windows come and go as fast as another program can make them while the user refreshes and
// acts on checked rows: nothing crashes, nothing hangs, no error box appears for a window that
// vanished, and no window the user did not check receives anything.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/action_id.h"
#include "helper_process.h"
#include "main_window_driver.h"
#include "modal_script.h"
#include "own_window.h"
#include "win32/views/action_commands.h"
#include "win32/program/main_window.h"

namespace tarvex::win32::testing {
namespace {

constexpr DWORD kChurnMilliseconds = 8000;
// Far above what an action costs, far below what a hang would show.
constexpr double kActionLimitMs = 2000;

double MillisecondsSince(const LARGE_INTEGER& start) {
  LARGE_INTEGER now;
  LARGE_INTEGER frequency;
  ::QueryPerformanceCounter(&now);
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(now.QuadPart - start.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

class ChurnTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
    ::InitCommonControlsEx(&controls);
  }
  // Runs the action as its tool button does and keeps the longest time the window was busy.
  void Run(ActionId action) {
    LARGE_INTEGER start;
    ::QueryPerformanceCounter(&start);
    ::SendMessageA(window_.Handle(), WM_COMMAND, CommandOf(action), 0);
    slowest_ = std::max(slowest_, MillisecondsSince(start));
  }
  // Checks the target's row and the churning windows' rows; returns how many of the latter.
  int CheckRows() {
    int churning = 0;
    const auto& rows = window_.Form().Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      const std::string& caption = rows[i].caption;
      const bool churns = caption.rfind("Tarvex churn window", 0) == 0;
      if (churns || caption == "Tarvex churn target") driver_.Check(static_cast<int>(i));
      if (churns) ++churning;
    }
    return churning;
  }

  MainWindow window_;
  MainWindowDriver driver_{window_};
  double slowest_ = 0;
};

TEST_F(ChurnTest, RefreshesAndActionsSurviveWindowsThatComeAndGo) {
  window_.Create();
  window_.ShowFirst(SW_SHOWNOACTIVATE);
  OwnWindow target("Tarvex churn target");
  OwnWindow bystander("Tarvex churn bystander");
  OwnWindow minimizedBystander("Tarvex churn minimized bystander");
  ::ShowWindow(minimizedBystander.Hwnd(), SW_SHOWMINNOACTIVE);
  HelperProcess churner(ThisProgramFolder() + "window_churner.exe", {});
  churner.ReadUntilReady();
  bool errorBox = false;
  WhenWindowUp anyError("Error", [&](HWND box) {
    errorBox = true;
    ::PostMessageA(box, WM_CLOSE, 0, 0);
  });

  int rounds = 0;
  int churningRowsChecked = 0;
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < kChurnMilliseconds) {
    Run(ActionId::ActRefresh);
    churningRowsChecked += CheckRows();
    // The checked windows of the other program vanish while the user thinks.
    MainWindowDriver::PumpFor(20);
    Run(ActionId::ActMinimize);
    Run(ActionId::ActRestore);
    Run(ActionId::ActTerminate);
    ++rounds;
  }
  MainWindowDriver::PumpFor(200);

  EXPECT_GT(rounds, 5);
  EXPECT_GT(churningRowsChecked, 0) << "the churning windows were never listed";
  EXPECT_FALSE(errorBox) << "an error box came up";
  EXPECT_LT(slowest_, kActionLimitMs);
  EXPECT_GT(target.Received(WM_CLOSE), 0) << "the checked window was never asked to close";
  EXPECT_EQ(bystander.Received(WM_CLOSE), 0);
  EXPECT_EQ(minimizedBystander.Received(WM_CLOSE), 0);
  EXPECT_FALSE(::IsIconic(bystander.Hwnd())) << "an unchecked window was minimized";
  EXPECT_TRUE(::IsIconic(minimizedBystander.Hwnd())) << "an unchecked window was restored";
  EXPECT_TRUE(::IsWindow(window_.Handle()));
}

}  // namespace
}  // namespace tarvex::win32::testing
