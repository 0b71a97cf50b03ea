// The ways the desktop ends the program without closing its window: the session manager's
// request to save at logout (XSMP, through Qt's session management) and SIGTERM (at shutdown,
// or from kill). Each saves what a close saves. Nobody may be there to answer a box then, so a
// failure's message goes to the standard error, which the session keeps (~/.xsession-errors);
// the file stays as it was. SIGTERM then ends the program, and so does the session manager's
// order to die, without closing the window: a close could show a box that nobody answers.
#pragma once

#include <QMetaObject>
#include <QObject>
#include <QSocketNotifier>
#include <signal.h>

#include <utility>

#include "linux/qt/main_window.h"
#include "linux/settings/unique_fd.h"

namespace tarvex::qt {

class SessionEnd final : private QObject {
 public:
  // Takes SIGTERM over until this goes; one per process. Needs a running QGuiApplication.
  explicit SessionEnd(MainWindow& window);
  ~SessionEnd() override;
  SessionEnd(const SessionEnd&) = delete;
  SessionEnd& operator=(const SessionEnd&) = delete;

 private:
  bool eventFilter(QObject* watched, QEvent* event) override;
  void Save();

  MainWindow& window_;
  // The handler only writes a byte into this pipe: the rest runs in the event loop, where it may.
  std::pair<posix::UniqueFd, posix::UniqueFd> signalPipe_;
  QSocketNotifier signalArrived_;
  struct sigaction previous_ {};
  QMetaObject::Connection commitData_;
};

}  // namespace tarvex::qt
