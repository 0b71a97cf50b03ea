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

QMessageBox::Icon MessageBoxIcon(BoxKind kind) {
  switch (kind) {
    case BoxKind::kError:
      return QMessageBox::Critical;
    case BoxKind::kWarningYesNo:
      return QMessageBox::Warning;
    case BoxKind::kInformation:
      break;
  }
  return QMessageBox::Information;
}

BoxAnswer QtMessageBoxes::Show(const std::string& text, const std::string& caption, BoxKind kind) {
  // Over the box or dialog that is open, else over the main window, also while that is hidden
  // in the tray: the box is shown all the same.
  const bool asks = kind == BoxKind::kWarningYesNo;
  QMessageBox box(MessageBoxIcon(kind), ToQString(caption), MessageBoxText(text),
                  asks ? QMessageBox::Yes | QMessageBox::No : QMessageBox::Ok,
                  ModalOwner(mainWindow_));
  box.setWindowModality(Qt::WindowModal);
  box.setTextFormat(Qt::PlainText);
  if (asks) box.setDefaultButton(QMessageBox::No);
  switch (box.exec()) {
    case QMessageBox::Yes:
      return BoxAnswer::kYes;
    case QMessageBox::No:
      return BoxAnswer::kNo;
    default:
      return asks ? BoxAnswer::kNo : BoxAnswer::kOk;
  }
}

}  // namespace tarvex::qt
