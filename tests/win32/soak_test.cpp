// A long session in bounded time: ten thousand refreshes of the real main window, every other
// one rebuilding the list because the set of windows changed. Whatever a refresh takes from the
// system (memory, handles, icons, GDI and USER objects) it must give back.
#include <gtest/gtest.h>

#include "app/action_id.h"
#include "helper_process.h"
#include "main_window_driver.h"
#include "own_window.h"
#include "process_resources.h"
#include "win32/program/main_window.h"

namespace tarvex::win32::testing {
namespace {

constexpr int kRefreshes = 10000;
constexpr int kWarmUp = 1000;
constexpr std::uint64_t kMemorySlack = 1024 * 1024;
constexpr DWORD kHandleSlack = 4;
constexpr DWORD kGuiObjectSlack = 4;

TEST(SoakTest, TenThousandRefreshesHoldNothingBack) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  // The entries name this program's file without its folder: from its own folder the icons are
  // found in the file, as they are for a program started from where it lies.
  ::SetCurrentDirectoryA(ThisProgramFolder().c_str());
  MainWindow window;
  window.Create();
  window.ShowFirst(SW_SHOWNOACTIVATE);
  // Shown and hidden in turns, so that every other refresh finds another set of windows.
  OwnWindow changing("Tarvex soak window");

  ProcessResources warm;
  int rebuilds = 0;
  for (int i = 0; i < kRefreshes; ++i) {
    if (i % 2 == 1) {
      ::ShowWindow(changing.Hwnd(),
                   ::IsWindowVisible(changing.Hwnd()) ? SW_HIDE : SW_SHOWNOACTIVATE);
    }
    window.Form().ExecuteAction(ActionId::ActRefresh);
    if (TWinList::ListChanged()) ++rebuilds;
    if (i % 64 == 0) {
      window.Idle();
      MainWindowDriver::Pump();
    }
    if (i == kWarmUp) warm = ProcessResources::OfThisProcess();
  }
  MainWindowDriver::Pump();
  const ProcessResources end = ProcessResources::OfThisProcess();

  EXPECT_GE(rebuilds, kRefreshes / 2) << "the desktop did not change as the test meant";
  ASSERT_GT(warm.privateBytes, 0u) << "the system reports no memory use";
  EXPECT_LE(end.privateBytes, warm.privateBytes + kMemorySlack)
      << "after warm-up: " << warm.Describe() << "\nat the end: " << end.Describe();
  EXPECT_LE(end.handles, warm.handles + kHandleSlack)
      << "after warm-up: " << warm.Describe() << "\nat the end: " << end.Describe();
  if (warm.CountsGuiObjects()) {
    EXPECT_LE(end.gdiObjects, warm.gdiObjects + kGuiObjectSlack) << end.Describe();
    EXPECT_LE(end.userObjects, warm.userObjects + kGuiObjectSlack) << end.Describe();
  } else {
    std::printf("This system counts no GDI or USER objects; memory and handles were checked.\n");
  }
}

}  // namespace
}  // namespace tarvex::win32::testing
