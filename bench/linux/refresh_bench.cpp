// refresh_bench: the enumerator's refresh on X11 against the bare floor and against wmctrl, on a
// synthetic desktop.
//
//   refresh_bench N [passes]
//
// Starts synthetic_desktop (beside this program) with N windows, then times, side by side in
// each pass: the floor (the manager's client list and the caption property of each window,
// pipelined, nothing else), a refresh over the unchanged desktop, a refresh that rebuilds the
// entries (a window of our own is mapped or unmapped between passes, so the set of listed
// windows changes) and `wmctrl -lp` over the same desktop. Prints two lines of medians:
//   refresh N LISTED FLOOR_MS UNCHANGED_MS REBUILD_MS
//   wmctrl N WMCTRL_MS
// LISTED counts the whole desktop's listed windows.
#include <fcntl.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "headless_services.h"
#include "linux/x11/no_icon_source.h"
#include "linux/x11/proc_tool_help_library.h"
#include "linux/x11/x11_window_system.h"
#include "linux/x11/xcb_connection.h"
#include "../stopwatch.h"
#include "winlist/find_win.h"
#include "x11_probe.h"

extern char** environ;

namespace {

using tarvex::bench::Median;
using tarvex::bench::Stopwatch;
using tarvex::bench::X11Probe;

double FloorPass(X11Probe& probe) {
  const Stopwatch watch;
  probe.CaptionBytes();
  return watch.Milliseconds();
}

double RefreshPass(tarvex::TWinList& list, bool expectRebuild) {
  const Stopwatch watch;
  list.Refresh();
  const double elapsed = watch.Milliseconds();
  if (tarvex::TWinList::ListChanged() != expectRebuild) {
    throw std::runtime_error(expectRebuild ? "a changed desktop did not rebuild the list"
                                           : "the desktop changed under the benchmark");
  }
  return elapsed;
}

double WmctrlPass() {
  posix_spawn_file_actions_t actions;
  posix_spawn_file_actions_init(&actions);
  posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
  char program[] = "wmctrl";
  char option[] = "-lp";
  char* argv[] = {program, option, nullptr};
  const Stopwatch watch;
  pid_t pid = -1;
  const int failed = posix_spawnp(&pid, program, &actions, nullptr, argv, environ);
  posix_spawn_file_actions_destroy(&actions);
  int status = 0;
  if (failed != 0 || ::waitpid(pid, &status, 0) != pid || !WIFEXITED(status) ||
      WEXITSTATUS(status) != 0) {
    throw std::runtime_error("wmctrl -lp failed");
  }
  return watch.Milliseconds();
}

// A window of the benchmark's own, made by a client of its own, whose mapping changes the set of
// listed windows. Each toggle waits until the manager's list shows the change, outside the
// timed refreshes.
class ToggledWindow {
 public:
  explicit ToggledWindow(X11Probe& probe) : probe_(probe) {
    xcb_connection_t* c = connection_.get();
    window_ = xcb_generate_id(c);
    const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window_, connection_.Root(), 0, 0, 200, 80, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
    const std::string caption = "Refresh bench toggle";
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window_, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                        static_cast<std::uint32_t>(caption.size()), caption.data());
  }

  void Toggle() {
    mapped_ = !mapped_;
    if (mapped_) {
      xcb_map_window(connection_.get(), window_);
    } else {
      xcb_unmap_window(connection_.get(), window_);
    }
    xcb_flush(connection_.get());
    const Stopwatch watch;
    while (probe_.Shows(window_) != mapped_) {
      if (watch.Milliseconds() > 10000) throw std::runtime_error("the manager ignored a toggle");
      std::this_thread::sleep_for(std::chrono::microseconds(200));
    }
    connection_.DropQueuedEvents();
  }

 private:
  X11Probe& probe_;
  tarvex::x11::XcbConnection connection_;
  xcb_window_t window_ = XCB_WINDOW_NONE;
  bool mapped_ = false;
};

}  // namespace

int main(int argc, char** argv) {
  const int count = argc >= 2 ? std::atoi(argv[1]) : -1;
  const int passes = argc >= 3 ? std::atoi(argv[2]) : 21;
  if (count < 0 || passes < 1) {
    std::fprintf(stderr, "usage: refresh_bench N [passes]\n");
    return 2;
  }
  try {
    tarvex::bench::ChildProcess desktop(
        {tarvex::bench::ThisProgramFolder() + "synthetic_desktop", std::to_string(count)});
    desktop.ReadUntil("ready");

    X11Probe probe;
    tarvex::x11::XcbConnection connection;
    tarvex::x11::X11WindowSystem windows(connection);
    tarvex::x11::ProcToolHelpLibrary processes;
    tarvex::x11::NoIconSource icons;
    tarvex::bench::HeadlessServices services;
    tarvex::TWinList list({windows, processes, icons, services, services, services});
    ToggledWindow toggled(probe);
    // Warm-up: the first passes pay for first touches of the server and of /proc.
    for (int i = 0; i < 3; ++i) {
      toggled.Toggle();
      list.Refresh();
      WmctrlPass();
    }

    std::vector<double> floor;
    std::vector<double> unchanged;
    std::vector<double> rebuild;
    std::vector<double> wmctrl;
    for (int i = 0; i < passes; ++i) {
      floor.push_back(FloorPass(probe));
      unchanged.push_back(RefreshPass(list, false));
      wmctrl.push_back(WmctrlPass());
      toggled.Toggle();
      rebuild.push_back(RefreshPass(list, true));
    }
    std::printf("refresh %d %d %.3f %.3f %.3f\n", count, list.WindowList().Count(), Median(floor),
                Median(unchanged), Median(rebuild));
    std::printf("wmctrl %d %.3f\n", count, Median(wmctrl));
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "refresh_bench: %s\n", failure.what());
    return 1;
  }
  return 0;
}
