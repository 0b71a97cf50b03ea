#include "linux/qt/session_end.h"

#include <fcntl.h>
#include <unistd.h>

#include <QGuiApplication>
#include <QSessionManager>

#include <cstdio>
#include <stdexcept>
#include <utility>

#include "linux/qt/guarded_call.h"

namespace tarvex::qt {
namespace {

int signalWriteFd = -1;

void OnTerminate(int) {
  const char byte = 0;
  // Nothing else is safe in a handler; a full pipe already holds a request.
  [[maybe_unused]] const ssize_t ignored = ::write(signalWriteFd, &byte, 1);
}

std::pair<posix::UniqueFd, posix::UniqueFd> Pipe() {
  int ends[2] = {-1, -1};
  if (::pipe2(ends, O_CLOEXEC | O_NONBLOCK) != 0) {
    throw std::runtime_error("Cannot watch for the end of the session");
  }
  return {posix::UniqueFd(ends[0]), posix::UniqueFd(ends[1])};
}

class StandardErrorBoxes final : public MessageBoxes {
 public:
  // Nobody may be there to answer: the text goes to the session's log and counts as seen.
  BoxAnswer Show(const std::string& text, const std::string& caption, BoxKind kind) override {
    std::fprintf(stderr, "tarvex: %s: %s\n", caption.c_str(), text.c_str());
    return kind == BoxKind::kWarningYesNo ? BoxAnswer::kNo : BoxAnswer::kOk;
  }
};

}  // namespace

SessionEnd::SessionEnd(MainWindow& window)
    : window_(window),
      signalPipe_(Pipe()),
      signalArrived_(signalPipe_.first.get(), QSocketNotifier::Read) {
  QObject::connect(&signalArrived_, &QSocketNotifier::activated, [this] {
    char bytes[16];
    while (::read(signalPipe_.first.get(), bytes, sizeof bytes) > 0) {
    }
    Save();
    QCoreApplication::exit(0);
  });
  // Saving is all the program has to commit; it asks nothing, so the logout never waits on it.
  commitData_ = QObject::connect(qGuiApp, &QGuiApplication::commitDataRequest,
                                 [this](QSessionManager&) { Save(); });
  signalWriteFd = signalPipe_.second.get();
  struct sigaction action {};
  action.sa_handler = OnTerminate;
  sigemptyset(&action.sa_mask);
  action.sa_flags = SA_RESTART;
  ::sigaction(SIGTERM, &action, &previous_);
  qGuiApp->installEventFilter(this);
}

SessionEnd::~SessionEnd() {
  qGuiApp->removeEventFilter(this);
  ::sigaction(SIGTERM, &previous_, nullptr);
  signalWriteFd = -1;
  QObject::disconnect(commitData_);
}

// Qt 6 turns every request to quit (the session manager's die among them) into a close of every
// window, which the main window may refuse with a box. By then the program has saved, or has
// been closed and saved: it just ends.
bool SessionEnd::eventFilter(QObject* watched, QEvent* event) {
  if (watched != qGuiApp || event->type() != QEvent::Quit) return false;
  QCoreApplication::exit(0);
  return true;
}

void SessionEnd::Save() {
  StandardErrorBoxes boxes;
  RunGuarded(FailureSink(boxes), [this] { window_.Form().WMEndSession(); });
}

}  // namespace tarvex::qt
