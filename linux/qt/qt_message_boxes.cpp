#include "linux/qt/qt_message_boxes.h"

#include "linux/dialogs/dialog_parts.h"
#include "linux/qt/qt_text.h"

namespace tarvex::qt {

QString MessageBoxText(const std::string& text) {
  QString converted = ToQString(text);
  converted.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
  converted.replace(QLatin1Char('\r'), QLatin1Char('\n'));
  return converted;
}

QMessageBox::Icon MessageBoxIcon(unsigned flags) {
  switch (flags & 0xF0u) {
    case 0x10u:
      return QMessageBox::Critical;
    case 0x20u:
      return QMessageBox::Question;
    case 0x30u:
      return QMessageBox::Warning;
    case 0x40u:
      return QMessageBox::Information;
    default:
      return QMessageBox::NoIcon;
  }
}

int QtMessageBoxes::Show(const std::string& text, const std::string& caption, unsigned flags) {
  // Over the box or dialog that is open, else over the main window, also while that is hidden
  // in the tray: the box is shown all the same.
  const bool asks = (flags & 0x0Fu) == kMbYesNo;
  QMessageBox box(MessageBoxIcon(flags), ToQString(caption), MessageBoxText(text),
                  asks ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                  ModalOwner(mainWindow_));
  box.setWindowModality(Qt::WindowModal);
  box.setTextFormat(Qt::PlainText);
  if (asks) box.setDefaultButton((flags & kMbDefButton2) != 0 ? QMessageBox::No : QMessageBox::Yes);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return kIdYes;
    case QMessageBox::No:
      return kIdNo;
    default:
      return kIdOk;
  }
}

}  // namespace tarvex::qt
