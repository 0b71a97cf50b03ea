// start_bench: Tarvex's start to its first list against a bare window program's start.
//
//   start_bench.exe N TARVEX_EXE [runs] [taskbar|realistic]
//
// Starts synthetic_desktop.exe (beside this program) with N windows in the mix named; then, taking turns, starts
// TARVEX_EXE and bare_window.exe (beside this program) and times each from process creation until
// its window is shown, for Tarvex until its shown main window's list holds rows. Each program is
// closed as a user would close it before the next starts. Prints one line:
//   start N BARE_MS TARVEX_MS
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
#include "win32/unique_handle.h"

namespace {

using tarvex::bench::Median;
using tarvex::bench::Stopwatch;
using tarvex::win32::UniqueKernelHandle;

constexpr double kGiveUpMs = 30000;

struct Search {
  DWORD processId;
  const char* caption;
  HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM param) {
  auto& search = *reinterpret_cast<Search*>(param);
  DWORD process = 0;
  ::GetWindowThreadProcessId(window, &process);
  if (process != search.processId || !::IsWindowVisible(window)) return TRUE;
  char caption[64] = {};
  ::GetWindowTextA(window, caption, sizeof(caption));
  if (std::string(caption) == search.caption) {
    search.found = window;
    return FALSE;
  }
  return TRUE;
}

HWND ShownWindow(DWORD processId, const char* caption) {
  Search search{processId, caption, nullptr};
  ::EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
  return search.found;
}

BOOL CALLBACK MatchListView(HWND window, LPARAM param) {
  char className[64] = {};
  ::GetClassNameA(window, className, sizeof(className));
  if (std::string(className) != WC_LISTVIEWA) return TRUE;
  *reinterpret_cast<HWND*>(param) = window;
  return FALSE;
}

bool ListHoldsRows(HWND mainWindow) {
  HWND list = nullptr;
  ::EnumChildWindows(mainWindow, MatchListView, reinterpret_cast<LPARAM>(&list));
  DWORD_PTR rows = 0;
  return list != nullptr &&
         ::SendMessageTimeoutA(list, LVM_GETITEMCOUNT, 0, 0, SMTO_NORMAL, 5000, &rows) != 0 &&
         rows > 0;
}

// Starts the program and polls until `shown` holds; returns the time taken, then closes it.
template <typename Shown>
double TimeStart(const std::string& program, const char* caption, Shown shown) {
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
  while ((window = ShownWindow(started.dwProcessId, caption)) == nullptr || !shown(window)) {
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
    // One start of each first: the first start of a program pays for loading its files.
    for (int i = -1; i < runs; ++i) {
      const double bareMs =
          TimeStart(folder + "bare_window.exe", "Bare window", [](HWND) { return true; });
      const double tarvexMs = TimeStart(argv[2], "Tarvex 1.0", ListHoldsRows);
      if (i < 0) continue;
      bare.push_back(bareMs);
      tarvex.push_back(tarvexMs);
    }
    std::printf("start %d %.1f %.1f\n", count, Median(bare), Median(tarvex));
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "start_bench: %s\n", failure.what());
    return 1;
  }
  return 0;
}
