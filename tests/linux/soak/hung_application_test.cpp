// An application that stops answering (it reads no more X events, and is stopped besides):
// Restore, Minimize, Switch To and Terminate on its window return at once, and the event loop's
// heartbeat never misses a beat of more than 100 ms while they run.
#include <gtest/gtest.h>
#include <signal.h>

#include <QElapsedTimer>
#include <QTimer>
#include <algorithm>
#include <chrono>

#include "child_process.h"
#include "x11_main_window.h"
#include "x11_test_support.h"

namespace tarvex::soak {
namespace {

constexpr qint64 kLongestPauseMs = 100;

// Measures the longest gap between two ticks of a fast timer of the event loop.
class Heartbeat {
 public:
  Heartbeat() {
    QObject::connect(&timer_, &QTimer::timeout,
                     [this] { longestMs_ = std::max(longestMs_, sinceLast_.restart()); });
    timer_.start(2);
    sinceLast_.start();
  }
  qint64 LongestGapMs() const { return longestMs_; }

 private:
  QTimer timer_;
  QElapsedTimer sinceLast_;
  qint64 longestMs_ = 0;
};

TEST(HungApplicationTest, CommandsOnAWindowThatStopsAnsweringReturnAtOnce) {
  bench::ChildProcess hung({std::string(TARVEX_HELPER_FOLDER) + "/tarvex_hung_window"});
  hung.ReadUntil("ready");
  ASSERT_EQ(::kill(hung.Pid(), SIGSTOP), 0);
  X11MainWindow program;
  ASSERT_TRUE(x11::testing::WaitUntil([&] {
    program.Execute(ActionId::ActRefresh);
    return !program.RowsStartingWith("Hung window").empty();
  })) << "the hung window never made it into the list";

  const Heartbeat heartbeat;
  X11MainWindow::Settle(20);
  qint64 longestCommandMs = 0;
  for (const ActionId command : {ActionId::ActRestore, ActionId::ActMinimize, ActionId::ActSwitchTo,
                                 ActionId::ActRestore, ActionId::ActTerminate}) {
    const int row = program.RowsStartingWith("Hung window").front();
    program.Check(row);
    program.Select(row);
    // From the event loop, as a click runs it, so that the heartbeat sees any stall.
    QTimer::singleShot(0, [&] {
      QElapsedTimer took;
      took.start();
      program.Execute(command);
      longestCommandMs = std::max(longestCommandMs, took.elapsed());
    });
    X11MainWindow::Settle(30);
  }
  ::kill(hung.Pid(), SIGKILL);

  EXPECT_LT(longestCommandMs, kLongestPauseMs);
  EXPECT_LT(heartbeat.LongestGapMs(), kLongestPauseMs);
  EXPECT_TRUE(program.boxes.shown.empty()) << program.boxes.shown.front();
  EXPECT_FALSE(program.RowsStartingWith("Hung window").empty())
      << "a window that cannot answer the close request stays listed";
}

}  // namespace
}  // namespace tarvex::soak
