#include "linux/qt/qt_form_host.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QScreen>

#include "linux/qt/qt_text.h"

namespace tarvex::qt {

void QtFormHost::Close() {
  QMetaObject::invokeMethod(
      &window_, [window = &window_] { window->close(); }, Qt::QueuedConnection);
}

void QtFormHost::SetApplicationTitle(const std::string& title) {
  // Not Qt's application display name, which the platform would add to the caption of every
  // box and dialog of the program.
  window_.setWindowTitle(ToQString(title));
}

Bounds QtFormHost::FormBounds() const {
  const QPoint origin = window_.pos();
  const QSize size = window_.size();
  return {origin.x(), origin.y(), size.width(), size.height()};
}

void QtFormHost::SetFormBounds(const Bounds& bounds) {
  // The minimum size applies on the way.
  window_.move(bounds.left, bounds.top);
  window_.resize(bounds.width, bounds.height);
}

ScreenSize QtFormHost::PrimaryScreen() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QSize size = screen->geometry().size();
  return {size.width(), size.height()};
}

}  // namespace tarvex::qt
