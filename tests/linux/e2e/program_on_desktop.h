// The real program, built in this process on the test's X display, beside real X clients: what
// its list shows, and the user's keys and clicks on its window.
#pragma once

#include <sys/types.h>
#include <xcb/xcb.h>

#include <functional>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "linux/qt/program.h"
#include "x11_test_support.h"

namespace tarvex::e2e {

class RecordingBoxes final : public MessageBoxes {
 public:
  BoxAnswer Show(const std::string& text, const std::string& caption, BoxKind kind) override;
  std::vector<std::string> shown;
};

// One row as the list shows it.
struct Row {
  std::string caption;
  std::string pid;
  auto operator<=>(const Row&) const = default;
};

// Started clients, known by caption: their process and, once managed, their window. Each
// client is ended by its id when this goes.
class Desktop {
 public:
  void StartXterm(const std::string& title);
  void Start(const std::string& caption, std::vector<std::string> argv);
  // Our client process with the windows a taskbar leaves out ("E2E no pid" among them).
  void StartOddWindows();
  void StartStorm();
  // Our client process with one window of that caption, which closes when asked to; its id.
  xcb_window_t StartOneWindow(const std::string& caption);
  // Ends a started client by its id and waits for its end.
  void End(const std::string& caption);
  // Waits until the manager lists a window for every client started so far.
  void WaitUntilManaged();

  xcb_window_t WindowOf(const std::string& caption) const;
  pid_t PidOf(const std::string& caption) const;
  bool HasEnded(const std::string& caption);
  bool IsRunning(const std::string& caption);
  pid_t StormPid() const { return storm_ ? storm_->Pid() : -1; }

 private:
  void StartClient(const char* mode, std::unique_ptr<x11::testing::Program>& slot,
                   const std::vector<std::string>& captions);

  std::map<std::string, std::unique_ptr<x11::testing::Program>> programs_;
  std::map<std::string, pid_t> pids_;
  std::map<std::string, xcb_window_t> windows_;
  std::unique_ptr<x11::testing::Program> odd_;
  std::unique_ptr<x11::testing::Program> storm_;
};

class ProgramOnDesktop {
 public:
  ProgramOnDesktop();

  std::vector<Row> Rows() const;
  int RowOf(const std::string& caption) const;
  // Keys go to the program's window, which first becomes the active one as a click would make it.
  void Keys(Qt::Key key, Qt::KeyboardModifiers modifiers = Qt::NoModifier);
  void ClickCheckBox(const std::string& caption);
  void ClickCaption(const std::string& caption);
  bool Checked(const std::string& caption) const;
  void Activate();
  static void Settle(int milliseconds = 50);

  RecordingBoxes boxes;
  qt::Program program;
  qt::MainWindow& window;
};

// A folder of this run's own, removed by RemoveScratchFolder.
const std::string& ScratchFolder();
void RemoveScratchFolder();

// The ICCCM state the manager keeps: "Normal", "Iconic", or what xprop says otherwise.
std::string WindowState(xcb_window_t window);
// Waits, letting the program's events run, until the condition holds.
bool Eventually(const std::function<bool()>& condition, int seconds = 10);

}  // namespace tarvex::e2e
