// A long session in bounded time: ten thousand refreshes of the real main window over the real
// X display, every other one rebuilding the list because a window came or went. Whatever a
// refresh takes (heap, resident memory, X resources of our connection) it must give back.
#include <gtest/gtest.h>

#include "managed_state.h"
#include "process_usage.h"
#include "winlist/find_win.h"
#include "x11_main_window.h"
#include "x11_test_support.h"

namespace tarvex::soak {
namespace {

constexpr int kRefreshes = 10000;
constexpr int kWarmUp = 1000;
constexpr std::uint64_t kHeapSlack = 256 * 1024;
constexpr std::uint64_t kResidentSlack = 2 * 1024 * 1024;

TEST(SoakTest, TenThousandRefreshesHoldNothingBack) {
  x11::testing::TestClient client;
  for (int i = 0; i < 20; ++i) client.Create({.caption = "Soak window " + std::to_string(i)});
  // Mapped and unmapped in turns, so that every other refresh finds another set of windows.
  const xcb_window_t changing = client.Create({.caption = "Soak changing window", .map = false});
  X11MainWindow program;
  xcb_connection_t* watcher = client.Connection().get();

  ProcessUsage warm;
  bool mapped = false;
  int rebuilds = 0;
  for (int i = 0; i < kRefreshes; ++i) {
    if (i % 2 == 1) {
      mapped = !mapped;
      if (mapped) {
        xcb_map_window(watcher, changing);
      } else {
        xcb_unmap_window(watcher, changing);
      }
      xcb_flush(watcher);
      ASSERT_TRUE(WaitForManager(watcher, changing, mapped)) << "the manager did not follow";
      client.Connection().DropQueuedEvents();
    }
    program.Execute(ActionId::ActRefresh);
    if (TWinList::ListChanged()) ++rebuilds;
    if (i % 64 == 0) {
      X11MainWindow::Settle(0);
      program.ForgetLogs();
    }
    if (i == kWarmUp) warm = ProcessUsage::Now(program.connection.get());
  }
  X11MainWindow::Settle(0);
  program.ForgetLogs();
  const ProcessUsage end = ProcessUsage::Now(program.connection.get());

  EXPECT_GE(rebuilds, kRefreshes / 2 - 1) << "the desktop did not change as the test meant";
  EXPECT_TRUE(program.boxes.shown.empty()) << program.boxes.shown.front();
  ASSERT_GT(warm.heapBytes, 0u) << "the heap reports nothing";
  EXPECT_LE(end.heapBytes, warm.heapBytes + kHeapSlack)
      << "after warm-up: " << warm.Describe() << "\nat the end: " << end.Describe();
  EXPECT_LE(end.residentBytes, warm.residentBytes + kResidentSlack)
      << "after warm-up: " << warm.Describe() << "\nat the end: " << end.Describe();
  ASSERT_TRUE(warm.xResourcesKnown && end.xResourcesKnown) << "the server counts no resources";
  EXPECT_EQ(end.xResources, warm.xResources)
      << "after warm-up: " << warm.Describe() << "\nat the end: " << end.Describe();
}

}  // namespace
}  // namespace tarvex::soak
