#include "linux/qt/qt_application_window.h"

#include <QApplication>
#include <QMetaObject>
#include <utility>

#include "base/scope_exit.h"

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
  window_.raise();
  window_.activateWindow();
  ActivateOpenBox();
}

void QtApplicationWindow::ActivateOpenBox() {
  if (QWidget* box = QApplication::activeModalWidget(); box != nullptr && box != &window_) {
    box->raise();
    box->activateWindow();
  }
}

void QtApplicationWindow::HideOpenBoxes() {
  // The window manager may have minimized them with the main window already: they come back
  // all the same.
  for (QWidget* widget : QApplication::topLevelWidgets()) {
    if (widget == &window_ || !widget->isVisible() || !widget->isModal()) continue;
    widget->setWindowState(widget->windowState() | Qt::WindowMinimized);
    hiddenBoxes_.emplace_back(widget);
  }
}

void QtApplicationWindow::ShowHiddenBoxes() {
  for (const QPointer<QWidget>& box : std::exchange(hiddenBoxes_, {})) {
    if (box != nullptr && box->isVisible()) {
      box->setWindowState(box->windowState() & ~Qt::WindowMinimized);
    }
  }
  // The box that takes the keyboard stands above the others.
  if (QWidget* top = QApplication::activeModalWidget(); top != nullptr && top != &window_) {
    top->raise();
  }
}

}  // namespace tarvex::qt
