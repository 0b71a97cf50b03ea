// soak_bench: Tarvex under a client that retitles itself as fast as it can.
//
//   soak_bench XSERVER_PID [seconds]
//
// Builds the real program in this process on $DISPLAY (its settings in a fresh folder of its
// own), lets it list retitler (beside this program) and runs its event loop while retitler
// changes its caption for the given time (default 30 s). Then it times the next refresh, with
// retitler still at it. Prints one line:
//   soak SECONDS TARVEX_BEFORE_MB TARVEX_AFTER_MB XSERVER_BEFORE_MB XSERVER_AFTER_MB REFRESH_MS
// resident memory of this process (the program) and of the X server, before and after.
#include <stdlib.h>
#include <unistd.h>

#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <string>

#include "../stopwatch.h"
#include "child_process.h"
#include "linux/qt/program.h"

namespace {

using tarvex::bench::ChildProcess;
using tarvex::bench::Stopwatch;

double ResidentMegabytes(const std::string& pid) {
  std::ifstream statm("/proc/" + pid + "/statm");
  long pages = 0;
  long resident = 0;
  if (!(statm >> pages >> resident)) throw std::runtime_error("no process " + pid);
  return static_cast<double>(resident) * static_cast<double>(sysconf(_SC_PAGESIZE)) / 1048576.0;
}

void RunEventLoop(int milliseconds) {
  QEventLoop loop;
  QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
  loop.exec();
}

class NoBoxes final : public tarvex::MessageBoxes {
 public:
  tarvex::BoxAnswer Show(const std::string& text, const std::string&, tarvex::BoxKind) override {
    std::fprintf(stderr, "soak_bench: the program says: %s\n", text.c_str());
    return tarvex::BoxAnswer::kOk;
  }
};

}  // namespace

int main(int argc, char** argv) {
  const std::string server = argc >= 2 ? argv[1] : "";
  const int seconds = argc >= 3 ? std::atoi(argv[2]) : 30;
  if (server.empty() || seconds < 1) {
    std::fprintf(stderr, "usage: soak_bench XSERVER_PID [seconds]\n");
    return 2;
  }
  std::string folder = (std::filesystem::temp_directory_path() / "tarvex-soak.XXXXXX").string();
  if (mkdtemp(folder.data()) == nullptr) return 1;
  setenv("windir", folder.c_str(), 1);
  setenv("QT_QPA_PLATFORM", "xcb", 1);
  QApplication application(argc, argv);
  int status = 0;
  try {
    NoBoxes boxes;
    tarvex::qt::Program program(boxes);
    program.ShowFirst([] {});
    ChildProcess retitler({tarvex::bench::ThisProgramFolder() + "retitler"});
    retitler.ReadUntil("ready");
    program.Window().Form().ExecuteAction(tarvex::ActionId::ActRefresh);  // lists and watches it
    RunEventLoop(1000);
    const std::string self = std::to_string(getpid());
    const double tarvexBefore = ResidentMegabytes(self);
    const double serverBefore = ResidentMegabytes(server);
    RunEventLoop(seconds * 1000);
    const double tarvexAfter = ResidentMegabytes(self);
    const double serverAfter = ResidentMegabytes(server);
    const Stopwatch watch;
    program.Window().Form().ExecuteAction(tarvex::ActionId::ActRefresh);
    const double refreshMs = watch.Milliseconds();
    retitler.FinishAndReadUntil("done");
    std::printf("soak %d %.1f %.1f %.1f %.1f %.1f\n", seconds, tarvexBefore, tarvexAfter,
                serverBefore, serverAfter, refreshMs);
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "soak_bench: %s\n", failure.what());
    status = 1;
  }
  std::error_code ignored;
  std::filesystem::remove_all(folder, ignored);
  return status;
}
