// An application that stops answering must not take Tarvex with it: Restore, Minimize, Switch To
// and Terminate on its window return at once, and the user-interface thread never stops
// answering for longer than a user would notice.
#include <gtest/gtest.h>

#include <atomic>
#include <functional>
#include <thread>

#include "app/action_id.h"
#include "helper_process.h"
#include "main_window_driver.h"
#include "win32/views/action_commands.h"
#include "win32/program/main_window.h"

namespace tarvex::win32::testing {
namespace {

constexpr double kBlockedLimitMs = 100;

double Milliseconds(const LARGE_INTEGER& from, const LARGE_INTEGER& to) {
  LARGE_INTEGER frequency;
  ::QueryPerformanceFrequency(&frequency);
  return 1000.0 * static_cast<double>(to.QuadPart - from.QuadPart) /
         static_cast<double>(frequency.QuadPart);
}

LARGE_INTEGER Now() {
  LARGE_INTEGER now;
  ::QueryPerformanceCounter(&now);
  return now;
}

// Watches the user-interface thread from another thread: the message loop beats after every
// message it handled and whenever it wakes, and the longest time between two beats is the longest
// the thread was kept from its messages. (A probe that sends the window messages would not see
// it: a thread waiting for another's answer still answers what is sent to it.) A thread kept for
// seconds is hung itself; then `rescue` runs, so that the test can end and report it.
class UiThreadWatch {
 public:
  explicit UiThreadWatch(std::function<void()> rescue)
      : lastBeat_(Now().QuadPart), thread_([this, rescue = std::move(rescue)] {
          bool rescued = false;
          while (!stop_) {
            LARGE_INTEGER beat;
            beat.QuadPart = lastBeat_;
            const double since = Milliseconds(beat, Now());
            if (since > longest_) longest_ = since;
            if (since > 3000 && !rescued) {
              rescue();
              rescued = true;
            }
            ::Sleep(1);
          }
        }) {}
  ~UiThreadWatch() { Stop(); }
  UiThreadWatch(const UiThreadWatch&) = delete;
  UiThreadWatch& operator=(const UiThreadWatch&) = delete;

  void Beat() { lastBeat_ = Now().QuadPart; }
  double Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    return longest_;
  }

 private:
  std::atomic<bool> stop_{false};
  std::atomic<LONGLONG> lastBeat_;
  std::atomic<double> longest_{0};
  std::thread thread_;
};

// The program's message loop, beating for the watch.
void RunMessagesFor(DWORD milliseconds, UiThreadWatch& watch) {
  const DWORD start = ::GetTickCount();
  while (::GetTickCount() - start < milliseconds) {
    watch.Beat();
    ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      watch.Beat();
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  watch.Beat();
}

bool Answers(HWND window) {
  DWORD_PTR result = 0;
  return ::SendMessageTimeoutA(window, WM_NULL, 0, 0, SMTO_NORMAL, 300, &result) != 0;
}

TEST(HungApplicationTest, CommandsOnAHungWindowLeaveTarvexResponsive) {
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);
  HelperProcess hung(ThisProgramFolder() + "hung_window.exe", {});
  const HWND hungWindow =
      reinterpret_cast<HWND>(static_cast<std::uintptr_t>(std::stoul(hung.ReadLine(), nullptr, 16)));
  ASSERT_EQ(hung.ReadLine(), "ready");
  MainWindow window;
  window.Create();
  window.ShowFirst(SW_SHOWNOACTIVATE);
  MainWindowDriver driver(window);

  hung.WriteLine("hang");
  ASSERT_EQ(hung.ReadLine(), "hanging");
  ASSERT_FALSE(Answers(hungWindow)) << "the helper still answers";

  window.Form().ExecuteAction(ActionId::ActRefresh);
  const int row = driver.RowStartingWith("Tarvex hung window");
  ASSERT_GE(row, 0) << "the hung window is not listed";
  driver.Check(row);
  driver.Select(row);

  // Ending the hung helper frees a thread that waits for it.
  // Ending the hung helper frees a thread that waits for it.
  UiThreadWatch watch([&] { ::TerminateProcess(hung.Process(), 1); });
  RunMessagesFor(100, watch);
  // As the tool buttons send them, through the window's own message loop.
  for (const ActionId action : {ActionId::ActRestore, ActionId::ActMinimize, ActionId::ActSwitchTo,
                                ActionId::ActTerminate}) {
    ::PostMessageA(window.Handle(), WM_COMMAND, CommandOf(action), 0);
    RunMessagesFor(300, watch);
  }
  const double longestBlock = watch.Stop();

  EXPECT_LT(longestBlock, kBlockedLimitMs)
      << "the user-interface thread was kept from its messages for " << longestBlock << " ms";
  ASSERT_FALSE(Answers(hungWindow)) << "the helper came back or was ended during the test";
  // Terminate refreshed the list: the hung window is still there, and still listed.
  EXPECT_GE(driver.RowStartingWith("Tarvex hung window"), 0);
}

}  // namespace
}  // namespace tarvex::win32::testing
