#include "linux/tray/qt_tray_shell.h"

#include <QWidget>

#include "linux/qt/guarded_call.h"
#include "linux/tray/program_icon.h"

namespace tarvex::qt {
namespace {

// The one picture the program puts into the tray.
constexpr IconHandle kProgramIconHandle = 1;

}  // namespace

QtTrayShell::QtTrayShell(FailureSink failures)
    : failures_(failures),
      dock_([this] { RunGuarded(failures_, [this] { ManagerAppeared(); }); },
            [this] { RunGuarded(failures_, [this] { Embedded(); }); },
            [this] { RunGuarded(failures_, [this] { DropIconWindow(); }); }),
      programIcon_(qt::ProgramIcon()) {}

QtTrayShell::~QtTrayShell() = default;

void QtTrayShell::Attach(TTrayIcon& icon, const TPopupMenu& menu, HintLine& hints,
                         PictureSource pictures) {
  client_.emplace(Client{icon, menu, hints});
  pictures_ = std::move(pictures);
}

IconHandle QtTrayShell::ProgramIcon() { return kProgramIconHandle; }

bool QtTrayShell::NotifyIcon(NotifyIconOperation operation, const NotifyIconRecord& record) {
  switch (operation) {
    case NotifyIconOperation::kAdd:
      if (added_) return false;  // as the shell refuses a second add of the same icon
      if (!Dock(record)) return false;
      added_ = record;
      return true;
    case NotifyIconOperation::kModify:
      if (!added_) return false;
      added_ = record;
      if (widget_) Show(record);
      return true;
    case NotifyIconOperation::kDelete:
      break;
  }
  const bool wasAdded = added_.has_value();
  added_.reset();
  DropIconWindow();
  return wasAdded;
}

bool QtTrayShell::Dock(const NotifyIconRecord& record) {
  if (dock_.Manager() == XCB_WINDOW_NONE) return false;
  auto widget =
      std::make_unique<TrayIconWidget>([this](TrayMouseEvent event, int x, int y,
                                              TShiftState keys) { Notified(event, x, y, keys); });
  if (!dock_.Dock(static_cast<xcb_window_t>(widget->winId()))) return false;
  widget_ = std::move(widget);
  Show(record);
  return true;
}

void QtTrayShell::Embedded() {
  if (!widget_) return;
  // Mapped only now, inside the tray: the tray sees the map request, which is what makes it give
  // the icon its room. Qt places the window in its parent at the position it believes in.
  widget_->move(0, 0);
  widget_->show();
  embedded_ = true;
  if (client_) client_->icon.ShellShowedIcon();
}

void QtTrayShell::Show(const NotifyIconRecord& record) {
  widget_->SetPicture(record.icon == kProgramIconHandle ? programIcon_ : QIcon());
  widget_->SetTip(record.tip);
}

void QtTrayShell::DropIconWindow() {
  dock_.StopWatching();
  embedded_ = false;
  if (!widget_ || !widget_->Handling()) {
    widget_.reset();  // the tray lets go of a window that is destroyed
    return;
  }
  // A menu command that takes the icon away runs inside the window's own mouse handler: out of
  // sight now, destroyed once Qt has left the handler.
  widget_->hide();
  widget_.release()->deleteLater();
}

void QtTrayShell::ManagerAppeared() {
  // A tray that starts (again) gets the icon the program still wants shown.
  if (!added_) return;
  DropIconWindow();
  Dock(*added_);
}

void QtTrayShell::Notified(TrayMouseEvent event, int x, int y, TShiftState keys) {
  if (!client_) return;
  RunGuarded(failures_, [&] { client_->icon.TrayWndProc(event, x, y, keys); });
}

void QtTrayShell::CancelMode() {
  if (QWidget* grabber = QWidget::mouseGrabber()) grabber->releaseMouse();
}

// A Qt popup menu grabs the pointer and the keyboard itself and closes at a click anywhere else,
// which is what the foreground tray window achieves for the Windows menu.
void QtTrayShell::ForegroundTrayWindow() {}

int QtTrayShell::PopupMenu(int x, int y) {
  if (!client_) return -1;
  return ExecTrayMenu(client_->menu, QPoint(x, y), client_->hints, pictures_, failures_);
}

}  // namespace tarvex::qt
