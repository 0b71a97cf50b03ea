#include "linux/qt/qt_form_host.h"

#include <QGuiApplication>
#include <QMetaObject>
#include <QScreen>

#include "linux/qt/qt_text.h"

namespace tarvex::qt {

QtFormHost::QtFormHost(QWidget& window) : window_(window) {
  const FormSize least = MinimumClientSize(frame_);
  window_.setMinimumSize(least.width, least.height);
}

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
  const QRect client = window_.geometry();
  return OuterBounds({client.x(), client.y(), client.width(), client.height()}, frame_);
}

void QtFormHost::SetFormBounds(const Bounds& bounds) {
  // The minimum size applies on the way. Placed by its own area, the window keeps that area
  // where it is put (static gravity), whatever frame the manager then adds.
  const Bounds client = ClientBounds(bounds, frame_);
  window_.setGeometry(client.left, client.top, client.width, client.height);
}

void QtFormHost::SetFrame(const FrameExtents& frame) {
  // Off screen once shown, the window is the manager's no more: withdrawn to the tray it has no
  // frame (openbox then reports none), and it gets its frame back when it is shown again.
  // Taken for a frame that went away, that report shrank the window at every trip to the tray.
  if (shown_ && !window_.isVisible()) return;
  const bool keepOuter = !framed_;
  if (window_.isVisible()) framed_ = true;
  if (frame == frame_) return;
  const Bounds outer = FormBounds();
  frame_ = frame;
  const FormSize least = MinimumClientSize(frame_);
  window_.setMinimumSize(least.width, least.height);
  if (keepOuter) SetFormBounds(outer);
}

ScreenSize QtFormHost::PrimaryScreen() const {
  const QScreen* screen = QGuiApplication::primaryScreen();
  if (screen == nullptr) return {};
  const QSize size = screen->geometry().size();
  return {size.width(), size.height()};
}

}  // namespace tarvex::qt
