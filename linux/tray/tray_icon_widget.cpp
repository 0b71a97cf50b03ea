#include "linux/tray/tray_icon_widget.h"

#include <QGuiApplication>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleHints>

#include <optional>

#include "base/scope_exit.h"

namespace tarvex::qt {
namespace {

// The size trays commonly give their icons.
constexpr int kInitialSize = 22;

std::optional<TMouseButton> TrayButtonOf(Qt::MouseButton button) {
  switch (button) {
    case Qt::LeftButton:
      return TMouseButton::mbLeft;
    case Qt::RightButton:
      return TMouseButton::mbRight;
    case Qt::MiddleButton:
      return TMouseButton::mbMiddle;
    default:
      return std::nullopt;
  }
}

TShiftState KeysOf(Qt::KeyboardModifiers modifiers) {
  TShiftState keys;
  keys.shift = modifiers.testFlag(Qt::ShiftModifier);
  keys.ctrl = modifiers.testFlag(Qt::ControlModifier);
  keys.alt = modifiers.testFlag(Qt::AltModifier);
  return keys;
}

}  // namespace

TrayIconWidget::TrayIconWidget(Notify notify)
    : QWidget(nullptr, Qt::Window | Qt::FramelessWindowHint),
      notify_(std::move(notify)),
      events_(static_cast<std::uint32_t>(QGuiApplication::styleHints()->mouseDoubleClickInterval()),
              QGuiApplication::styleHints()->mouseDoubleClickDistance()) {
  // The tray's window is never the active one: the tip must show all the same.
  setAttribute(Qt::WA_AlwaysShowToolTips);
  // The icon must not keep the program running once its main window has closed.
  setAttribute(Qt::WA_QuitOnClose, false);
  setMouseTracking(true);
  setAutoFillBackground(true);
  // The tray sizes its place for the icon after the window's minimum size hint.
  setMinimumSize(kInitialSize, kInitialSize);
  resize(kInitialSize, kInitialSize);
}

void TrayIconWidget::SetPicture(const QIcon& picture) {
  picture_ = picture;
  update();
}

void TrayIconWidget::SetTip(const std::string& tip) {
  setToolTip(QString::fromLocal8Bit(tip.data(), static_cast<qsizetype>(tip.size()))
                 .replace(QLatin1Char('\r'), QLatin1Char('\n')));
}

void TrayIconWidget::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  picture_.paint(&painter, rect());
}

void TrayIconWidget::Report(TrayMouseEvent trayEvent, const QMouseEvent& event) {
  const QPoint at = event.globalPosition().toPoint();
  ++handling_;
  const ScopeExit done([this]() noexcept { --handling_; });
  notify_(trayEvent, at.x(), at.y(), KeysOf(event.modifiers()));
}

void TrayIconWidget::mousePressEvent(QMouseEvent* event) {
  const auto button = TrayButtonOf(event->button());
  if (!button) return;
  const QPoint at = event->globalPosition().toPoint();
  lastPressTime_ = event->timestamp();
  Report(events_.Pressed(*button, static_cast<std::uint32_t>(event->timestamp()), at.x(), at.y()),
         *event);
}

void TrayIconWidget::mouseReleaseEvent(QMouseEvent* event) {
  const auto button = TrayButtonOf(event->button());
  if (button) Report(events_.Released(*button), *event);
}

// Qt reports the second press of a double click as a double click, with or without a press of
// the same moment before it: either way it is one press, and the events tell a double click.
void TrayIconWidget::mouseDoubleClickEvent(QMouseEvent* event) {
  if (event->timestamp() != lastPressTime_) mousePressEvent(event);
}

void TrayIconWidget::mouseMoveEvent(QMouseEvent* event) { Report(TrayMouseEvent::kMove, *event); }

}  // namespace tarvex::qt
