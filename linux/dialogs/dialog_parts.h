// What the program's small modal dialogs share: a fixed frame with a caption and a close box
// only, push buttons, the OK and Cancel pair, the etched frame, and the text of the core, which
// is UTF-8 in this edition.
#pragma once

#include <QDialog>
#include <QRect>
#include <QString>
#include <string>

#include "base/bounds.h"

class QFrame;
class QPushButton;

namespace tarvex::qt {

QString FromText(const std::string& text);
std::string ToText(const QString& text);

// A control's frame as designed; Qt scales it to the screen.
constexpr QRect ToRect(const Bounds& frame) {
  return QRect(frame.left, frame.top, frame.width, frame.height);
}

// The window that a box or dialog opened now is modal to: the program's topmost open box or
// dialog in sight, else the main window. Boxes are modal to that window alone, never to the whole
// application, which would block the tray icon's window too: it stands outside the main
// window's family, so it keeps answering while a box is up, as the Windows tray icon does.
QWidget* ModalOwner(QWidget* mainWindow);

// A dialog that cannot be resized, minimized or maximized, with a client area of `clientSize`,
// modal to its parent. Esc and the close box cancel it, as QDialog does.
void MakeFixedDialog(QDialog& dialog, const QString& caption, QSize clientSize);

QPushButton* AddPushButton(QDialog& dialog, const QString& text, const QRect& frame,
                           const char* name);

// OK is the default button (Enter, unless another button has the focus) and accepts; Cancel
// rejects.
struct OkCancel {
  QPushButton* ok;
  QPushButton* cancel;
};
OkCancel AddOkCancel(QDialog& dialog, const QRect& okFrame, const QRect& cancelFrame);

// Moves the dialog, before it is shown, so that its frame is centred on `area` and lies inside
// the screen's available area. The frame of a window not shown yet is unknown, so it is taken to
// be as thick as the frame of `framed`, a window that the window manager has framed already
// (none: no frame). Qt's own placement of a dialog over its parent miscounts the frame.
void CentreDialog(QDialog& dialog, const QRect& area, const QWidget* framed);

// Centres the dialog on its parent window, or on the screen while the parent is not shown.
void CentreOnParent(QDialog& dialog);

// An etched frame around a group of controls; it never takes the focus.
QFrame* AddBevel(QDialog& dialog, const QRect& frame);

}  // namespace tarvex::qt
