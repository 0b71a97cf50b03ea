// A storm of windows: another client creates and destroys windows as fast as the server takes
// them while the user refreshes, checks rows and runs the commands on them. Nothing may crash,
// hang or show an error box for a window that vanished, and no request may reach a window the
// user did not check.
#include <gtest/gtest.h>

#include <chrono>
#include <set>
#include <string>

#include "child_process.h"
#include "managed_state.h"
#include "x11_main_window.h"
#include "x11_test_support.h"

namespace tarvex::soak {
namespace {

constexpr auto kStorm = std::chrono::seconds(15);

TEST(ChurnTest, CommandsOnCheckedRowsDuringAStormOfWindows) {
  x11::testing::TestClient client;
  std::vector<xcb_window_t> targets;
  std::vector<xcb_window_t> bystanders;
  for (int i = 0; i < 3; ++i) {
    targets.push_back(client.Create({.caption = "Target " + std::to_string(i)}));
    bystanders.push_back(client.Create({.caption = "Bystander " + std::to_string(i)}));
  }
  bench::ChildProcess churner({std::string(TARVEX_HELPER_FOLDER) + "/tarvex_window_churner"});
  churner.ReadUntil("ready");
  X11MainWindow program;

  std::set<std::string> checked;
  int churnRowsActedOn = 0;
  const auto end = std::chrono::steady_clock::now() + kStorm;
  while (std::chrono::steady_clock::now() < end) {
    program.Execute(ActionId::ActRefresh);
    for (const int row : program.RowsStartingWith("Target ")) {
      program.Check(row);
      checked.insert(program.Caption(row));
    }
    // A churn row is likely gone by the time the command reaches it.
    const std::vector<int> churnRows = program.RowsStartingWith("Churn window ");
    if (!churnRows.empty()) {
      program.Check(churnRows.front());
      checked.insert(program.Caption(churnRows.front()));
      ++churnRowsActedOn;
    }
    program.Execute(ActionId::ActMinimize);
    X11MainWindow::Settle(0);
    program.Execute(ActionId::ActRestore);
    X11MainWindow::Settle(0);
    if (!churnRows.empty()) {
      program.Select(churnRows.back());
      program.Execute(ActionId::ActSwitchTo);
    }
    X11MainWindow::Settle(0);
  }
  const std::vector<std::string> received = churner.FinishAndReadUntil("done");
  // Once the storm has passed, and the manager has caught up with it, Terminate.
  program.Execute(ActionId::ActRefresh);
  for (const int row : program.RowsStartingWith("Target ")) program.Check(row);
  program.Execute(ActionId::ActTerminate);

  EXPECT_GT(churnRowsActedOn, 10) << "the storm never reached the list: "
                                  << program.ShownCaptions();
  EXPECT_TRUE(program.boxes.shown.empty()) << program.boxes.shown.front();
  // Checked churn windows that lived long enough were minimized: the recording works.
  EXPECT_FALSE(received.empty()) << "the storm's windows recorded nothing";
  for (const std::string& line : received) {
    const std::string caption = line.substr(line.find(' ') + 1);
    EXPECT_TRUE(checked.count(caption) != 0) << "an unchecked window received: " << line;
  }
  // The manager passes the close request on as WM_DELETE_WINDOW, to the checked windows only.
  std::set<xcb_window_t> asked;
  x11::testing::WaitUntil(
      [&] {
        for (const auto& message : client.TakeClientMessages(client.atoms().WM_PROTOCOLS)) {
          if (message.data.data32[0] == client.atoms().WM_DELETE_WINDOW) {
            asked.insert(message.window);
          }
        }
        return asked.size() >= targets.size();
      },
      std::chrono::seconds(20));
  for (const xcb_window_t target : targets) EXPECT_TRUE(asked.count(target)) << target;
  for (const xcb_window_t bystander : bystanders) {
    EXPECT_FALSE(asked.count(bystander)) << "a bystander was asked to close";
    EXPECT_TRUE(ManagerShows(client.Connection().get(), bystander))
        << "a bystander did not stay in the normal state";
  }
}

}  // namespace
}  // namespace tarvex::soak
