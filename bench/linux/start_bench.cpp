// start_bench: Tarvex's start to its first list against a bare Qt window program's start.
//
//   start_bench N TARVEX [runs]
//
// Starts synthetic_desktop (beside this program) with N windows; then, taking turns, starts
// TARVEX and bare_window (beside this program) and times each from the moment it is started
// until the window manager shows its window in the normal state. Tarvex fills its list before
// its main window first appears, so its window shown is its first list shown. Each program is
// closed as a user would close it before the next starts. Prints one line:
//   start N BARE_MS TARVEX_MS
// with the medians of the runs. Tarvex's settings go to a fresh folder of its own.
#include <stdlib.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

#include "child_process.h"
#include "../stopwatch.h"
#include "x11_probe.h"

namespace {

using tarvex::bench::ChildProcess;
using tarvex::bench::Median;
using tarvex::bench::Stopwatch;
using tarvex::bench::X11Probe;

constexpr double kGiveUpMs = 30000;

double TimeStart(X11Probe& probe, const std::string& program, const std::string& caption) {
  const Stopwatch watch;
  ChildProcess started({program});
  xcb_window_t window = XCB_WINDOW_NONE;
  while ((window = probe.ShownWindowOf(static_cast<std::uint32_t>(started.Pid()), caption)) ==
         XCB_WINDOW_NONE) {
    if (watch.Milliseconds() > kGiveUpMs) throw std::runtime_error(program + " showed no window");
    std::this_thread::sleep_for(std::chrono::microseconds(500));
  }
  const double elapsed = watch.Milliseconds();
  probe.Close(window);
  return elapsed;
}

// A folder for Tarvex's settings that goes with the benchmark.
class SettingsFolder {
 public:
  SettingsFolder() {
    std::string pattern =
        (std::filesystem::temp_directory_path() / "tarvex-start-bench.XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("cannot make a folder");
    path_ = pattern;
    setenv("windir", path_.c_str(), 1);
    // Qt asks for a private runtime folder and complains on every start without one.
    setenv("XDG_RUNTIME_DIR", path_.c_str(), 0);
  }
  ~SettingsFolder() {
    std::error_code ignored;
    std::filesystem::remove_all(path_, ignored);
  }
  SettingsFolder(const SettingsFolder&) = delete;
  SettingsFolder& operator=(const SettingsFolder&) = delete;

 private:
  std::filesystem::path path_;
};

}  // namespace

int main(int argc, char** argv) {
  const int count = argc >= 3 ? std::atoi(argv[1]) : -1;
  const int runs = argc >= 4 ? std::atoi(argv[3]) : 7;
  if (count < 0 || runs < 1) {
    std::fprintf(stderr, "usage: start_bench N TARVEX [runs]\n");
    return 2;
  }
  const std::string folder = tarvex::bench::ThisProgramFolder();
  try {
    const SettingsFolder settings;
    ChildProcess desktop({folder + "synthetic_desktop", std::to_string(count)});
    desktop.ReadUntil("ready");
    X11Probe probe;
    std::vector<double> bare;
    std::vector<double> tarvex;
    // One start of each first: the first start of a program pays for loading its files.
    for (int i = -1; i < runs; ++i) {
      const double bareMs = TimeStart(probe, folder + "bare_window", "Bare window");
      const double tarvexMs = TimeStart(probe, argv[2], "Tarvex 1.0");
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
