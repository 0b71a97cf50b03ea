#include "linux/dialogs/dialog_parts.h"

#include <QApplication>
#include <QFrame>
#include <QGuiApplication>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

namespace tarvex::qt {

QString FromText(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToText(const QString& text) { return text.toStdString(); }

QWidget* ModalOwner(QWidget* mainWindow) {
  // A box minimized with the program is out of sight, and so would be a box opened over it (the
  // about box, chosen in the tray menu meanwhile).
  QWidget* top = QApplication::activeModalWidget();
  return top != nullptr && !top->isMinimized() ? top : mainWindow;
}

void MakeFixedDialog(QDialog& dialog, const QString& caption, QSize clientSize) {
  dialog.setWindowTitle(caption);
  dialog.setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                        Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                        Qt::MSWindowsFixedSizeDialogHint);
  dialog.setWindowModality(Qt::WindowModal);
  dialog.setFixedSize(clientSize);
}

QPushButton* AddPushButton(QDialog& dialog, const QString& text, const QRect& frame,
                           const char* name) {
  auto* button = new QPushButton(text, &dialog);
  button->setObjectName(QString::fromLatin1(name));
  button->setGeometry(frame);
  return button;
}

OkCancel AddOkCancel(QDialog& dialog, const QRect& okFrame, const QRect& cancelFrame) {
  QPushButton* ok = AddPushButton(dialog, QStringLiteral("OK"), okFrame, "OKBtn");
  QPushButton* cancel = AddPushButton(dialog, QStringLiteral("Cancel"), cancelFrame, "CancelBtn");
  ok->setDefault(true);
  QObject::connect(ok, &QPushButton::clicked, &dialog, &QDialog::accept);
  QObject::connect(cancel, &QPushButton::clicked, &dialog, &QDialog::reject);
  return {ok, cancel};
}

void CentreDialog(QDialog& dialog, const QRect& area, const QWidget* framed) {
  QSize frameSize = dialog.size();
  if (framed != nullptr) frameSize += framed->frameGeometry().size() - framed->size();
  QRect frame(QPoint(), frameSize);
  frame.moveCenter(area.center());
  if (const QScreen* screen = QGuiApplication::screenAt(area.center())) {
    const QRect work = screen->availableGeometry();
    frame.moveLeft(std::max(work.left(), std::min(frame.left(), work.right() + 1 - frame.width())));
    frame.moveTop(std::max(work.top(), std::min(frame.top(), work.bottom() + 1 - frame.height())));
  }
  // A window's position is its frame's; set before it is shown, Qt keeps it.
  dialog.move(frame.topLeft());
}

void CentreOnParent(QDialog& dialog) {
  const QWidget* parent = dialog.parentWidget();
  if (parent != nullptr && parent->isVisible() && !parent->isMinimized()) {
    CentreDialog(dialog, parent->frameGeometry(), parent);
  } else if (const QScreen* screen = QGuiApplication::primaryScreen()) {
    CentreDialog(dialog, screen->geometry(), parent);
  }
}

QFrame* AddBevel(QDialog& dialog, const QRect& frame) {
  auto* bevel = new QFrame(&dialog);
  bevel->setObjectName(QStringLiteral("Bevel1"));
  bevel->setFrameStyle(QFrame::Box | QFrame::Sunken);
  bevel->setGeometry(frame);
  bevel->setFocusPolicy(Qt::NoFocus);
  // Beneath the controls that it frames.
  bevel->lower();
  return bevel;
}

}  // namespace tarvex::qt
