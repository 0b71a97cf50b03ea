#include "linux/qt/qt_application_window.h"

#include <QMetaObject>

#include "app/scope_exit.h"

namespace tarvex::qt {

void QtApplicationWindow::WindowStateChanged(Qt::WindowStates old) {
  if (ownChange_) return;
  const bool wasMinimized = old.testFlag(Qt::WindowMinimized);
  const bool isMinimized = window_.isMinimized();
  // After the change is through: Qt may still be showing the window it minimizes, which would
  // undo a hide to the tray made from inside the change.
  const auto notify = [this](const std::function<void()>& event) {
    if (event) QMetaObject::invokeMethod(&window_, event, Qt::QueuedConnection);
  };
  if (!wasMinimized && isMinimized) notify(events_.minimized);
  if (wasMinimized && !isMinimized) notify(events_.restored);
}

void QtApplicationWindow::ShowNormal() {
  ownChange_ = true;
  const ScopeExit done([this]() noexcept { ownChange_ = false; });
  // Back in the state it had before it was minimized: normal or maximized.
  window_.setWindowState(window_.windowState() & ~Qt::WindowMinimized);
  window_.show();
}

void QtApplicationWindow::Hide() { window_.hide(); }

void QtApplicationWindow::Minimize() { window_.showMinimized(); }

void QtApplicationWindow::BringToForeground() {
  // The focus belongs to a box or a dialog the program has open, which Qt keeps above.
  window_.raise();
  window_.activateWindow();
}

}  // namespace tarvex::qt
