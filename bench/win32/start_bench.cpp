// start_bench: Tarvex's start to its first list against a bare window program's start.
//
//   start_bench.exe N TARVEX_EXE [runs] [taskbar|realistic]
//
// Starts synthetic_desktop.exe (beside this program) with N windows in the mix named; then,
// taking turns, starts TARVEX_EXE, bare_window.exe and bare_controls_window.exe (both beside this
// program) and times each from process creation until its window is shown and its thread answers
// a message: for Tarvex, until its shown main window's list answers that it holds rows. Each
// program is closed as a user would close it before the next starts. Prints one line:
//   start N BARE_MS TARVEX_MS BARE_CONTROLS_MS
// with the medians of the runs.
#include <windows.h>

#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <vector>

#include "helper_process.h"
#include "../stopwatch.h"
#include "win32/support/unique_handle.h"

namespace {

using tarvex::bench::Median;
using tarvex::bench::Stopwatch;
using tarvex::win32::UniqueKernelHandle;

constexpr double kGiveUpMs = 30000;

// Polling must not load the Wine server that the measured program talks to: looking at every
// window of the desktop on each poll costs a round trip per window, which at 500 windows slowed
// the program under measurement more than the bare one. The windows are found by their class,
// which the server looks up by itself, and each poll costs a few round trips whatever N is.
HWND ShownWindow(DWORD processId, const char* windowClass, const char* caption) {
  HWND window = nullptr;
  while ((window = ::FindWindowExA(nullptr, window, windowClass, caption)) != nullptr) {
    DWORD process = 0;
    ::GetWindowThreadProcessId(window, &process);
    if (process == processId && ::IsWindowVisible(window)) return window;
  }
  return nullptr;
}

// Whether the window's thread answers a message: both programs are timed until they are shown
// and back in their message loops, ready for the user.
bool Answers(HWND window, UINT message, DWORD_PTR& result) {
  return ::SendMessageTimeoutA(window, message, 0, 0, SMTO_NORMAL, 5000, &result) != 0;
}

bool BareAnswers(HWND window) {
  DWORD_PTR ignored = 0;
  return Answers(window, WM_NULL, ignored);
}

bool ListHoldsRows(HWND mainWindow) {
  const HWND list = ::FindWindowExA(mainWindow, nullptr, WC_LISTVIEWA, nullptr);
  DWORD_PTR rows = 0;
  return list != nullptr && Answers(list, LVM_GETITEMCOUNT, rows) && rows > 0;
}

// Starts the program and polls until `shown` holds; returns the time taken, then closes it.
template <typename Shown>
double TimeStart(const std::string& program, const char* windowClass, const char* caption,
                 Shown shown) {
  STARTUPINFOA startup{};
  startup.cb = sizeof(startup);
  PROCESS_INFORMATION started{};
  std::string line = "\"" + program + "\"";
  const Stopwatch watch;
  if (!::CreateProcessA(program.c_str(), line.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
    throw std::runtime_error("cannot start " + program);
  }
  const UniqueKernelHandle process(started.hProcess);
  const UniqueKernelHandle thread(started.hThread);
  HWND window = nullptr;
  while ((window = ShownWindow(started.dwProcessId, windowClass, caption)) == nullptr ||
         !shown(window)) {
    if (watch.Milliseconds() > kGiveUpMs ||
        ::WaitForSingleObject(process.get(), 0) == WAIT_OBJECT_0) {
      throw std::runtime_error(program + " showed no window");
    }
    ::Sleep(1);
  }
  const double elapsed = watch.Milliseconds();
  ::PostMessageA(window, WM_CLOSE, 0, 0);
  if (::WaitForSingleObject(process.get(), 10000) != WAIT_OBJECT_0) {
    ::TerminateProcess(process.get(), 1);
    throw std::runtime_error(program + " did not end when closed");
  }
  return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc >= 3 ? std::atoi(argv[1]) : -1;
  const int runs = argc >= 4 ? std::atoi(argv[3]) : 7;
  const std::string mix = argc >= 5 ? argv[4] : "taskbar";
  if (count < 0 || runs < 1) {
    std::fprintf(stderr, "usage: start_bench N TARVEX_EXE [runs] [taskbar|realistic]\n");
    return 2;
  }
  const std::string folder = tarvex::win32::testing::ThisProgramFolder();
  try {
    tarvex::win32::testing::HelperProcess desktop(folder + "synthetic_desktop.exe",
                                                  {std::to_string(count), mix});
    desktop.ReadUntilReady();
    std::vector<double> bare;
    std::vector<double> tarvex;
    std::vector<double> bareControls;
    // One start of each first: the first start of a program pays for loading its files.
    for (int i = -1; i < runs; ++i) {
      const double bareMs = TimeStart(folder + "bare_window.exe", "TarvexBenchBareWindow",
                                      "Bare window", BareAnswers);
      const double tarvexMs = TimeStart(argv[2], "TarvexMainWindow", "Tarvex 1.0", ListHoldsRows);
      const double bareControlsMs = TimeStart(folder + "bare_controls_window.exe",
                                              "TarvexBenchBareWindow", "Bare window", BareAnswers);
      if (i < 0) continue;
      bare.push_back(bareMs);
      tarvex.push_back(tarvexMs);
      bareControls.push_back(bareControlsMs);
    }
    std::printf("start %d %.1f %.1f %.1f\n", count, Median(bare), Median(tarvex),
                Median(bareControls));
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "start_bench: %s\n", failure.what());
    return 1;
  }
  return 0;
}
