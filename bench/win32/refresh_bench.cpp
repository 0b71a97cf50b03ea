// refresh_bench: the enumerator's refresh against the bare floor, on a synthetic desktop.
//
//   refresh_bench.exe N [passes] [taskbar|realistic]
//
// Starts synthetic_desktop.exe (beside this program) with N windows in the mix named, then times,
// side by side in each pass: the floor (enumerate the top-level windows and read each caption,
// nothing else), a refresh over the unchanged desktop, and a refresh that rebuilds the entries (a
// window of our own is shown or hidden between passes, so the set of listed windows changes).
// Entries take their icons only when asked; to show what that saves, the same rebuild followed by
// reading every entry's icon. Prints one line:
//   refresh N LISTED FLOOR_MS UNCHANGED_MS REBUILD_MS REBUILD_WITH_ICONS_MS
// with the medians of the passes; LISTED counts the whole desktop's listed windows.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "helper_process.h"
#include "../stopwatch.h"
#include "win32/platform/win32_platform.h"
#include "winlist/find_win.h"

namespace {

using tarvex::bench::Median;
using tarvex::bench::Stopwatch;

BOOL CALLBACK ReadCaption(HWND window, LPARAM characters) {
  char caption[256];
  *reinterpret_cast<int*>(characters) += ::GetWindowTextA(window, caption, 255);
  return TRUE;
}

double FloorPass() {
  int characters = 0;
  const Stopwatch watch;
  ::EnumWindows(ReadCaption, reinterpret_cast<LPARAM>(&characters));
  return watch.Milliseconds();
}

double RefreshPass(tarvex::TWinList& list, bool expectRebuild) {
  const Stopwatch watch;
  list.Refresh();
  const double elapsed = watch.Milliseconds();
  if (tarvex::TWinList::ListChanged() != expectRebuild) {
    std::fprintf(stderr, "refresh_bench: the desktop changed under the benchmark\n");
    std::exit(3);
  }
  return elapsed;
}

// A window of the benchmark's own whose visibility changes the set of listed windows.
class ToggledWindow {
 public:
  ToggledWindow() {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = ::DefWindowProcA;
    windowClass.hInstance = ::GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "TarvexBenchToggle";
    ::RegisterClassExA(&windowClass);
    window_ =
        ::CreateWindowExA(0, windowClass.lpszClassName, "Refresh bench toggle", WS_OVERLAPPEDWINDOW,
                          0, 0, 200, 80, nullptr, nullptr, windowClass.hInstance, nullptr);
  }
  ~ToggledWindow() { ::DestroyWindow(window_); }
  ToggledWindow(const ToggledWindow&) = delete;
  ToggledWindow& operator=(const ToggledWindow&) = delete;

  void Toggle() {
    ::ShowWindow(window_, ::IsWindowVisible(window_) ? SW_HIDE : SW_SHOWNOACTIVATE);
    // Let the window's own messages settle outside the timed refresh.
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) ::DispatchMessageA(&message);
  }

 private:
  HWND window_ = nullptr;
};

double RebuildWithIconsPass(tarvex::TWinList& list) {
  const Stopwatch watch;
  list.Refresh();
  for (int i = 0; i < list.WindowList().Count(); ++i) {
    static_cast<void>(static_cast<tarvex::IconHandle>(list.WindowList().Objects(i).Icon));
  }
  const double elapsed = watch.Milliseconds();
  if (!tarvex::TWinList::ListChanged()) {
    std::fprintf(stderr, "refresh_bench: the desktop changed under the benchmark\n");
    std::exit(3);
  }
  return elapsed;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc >= 2 ? std::atoi(argv[1]) : -1;
  const int passes = argc >= 3 ? std::atoi(argv[2]) : 21;
  const std::string mix = argc >= 4 ? argv[3] : "taskbar";
  if (count < 0 || passes < 1) {
    std::fprintf(stderr, "usage: refresh_bench N [passes] [taskbar|realistic]\n");
    return 2;
  }
  using tarvex::win32::testing::HelperProcess;
  HelperProcess desktop(tarvex::win32::testing::ThisProgramFolder() + "synthetic_desktop.exe",
                        {std::to_string(count), mix});
  desktop.ReadUntilReady();

  tarvex::win32::Win32Platform platform;
  ToggledWindow toggled;
  std::vector<double> floor;
  std::vector<double> unchanged;
  std::vector<double> rebuild;
  std::vector<double> rebuildWithIcons;
  tarvex::TWinList list(platform.WinList());
  // Warm-up: the first passes pay for loading and first touches.
  for (int i = 0; i < 3; ++i) {
    toggled.Toggle();
    list.Refresh();
  }
  for (int i = 0; i < passes; ++i) {
    floor.push_back(FloorPass());
    unchanged.push_back(RefreshPass(list, false));
    toggled.Toggle();
    rebuild.push_back(RefreshPass(list, true));
  }
  const int listed = list.WindowList().Count();
  for (int i = 0; i < passes; ++i) {
    toggled.Toggle();
    rebuildWithIcons.push_back(RebuildWithIconsPass(list));
  }
  std::printf("refresh %d %d %.3f %.3f %.3f %.3f\n", count, listed, Median(floor),
              Median(unchanged), Median(rebuild), Median(rebuildWithIcons));
  return 0;
}
