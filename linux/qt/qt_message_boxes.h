// The application's message box: QMessageBox, modal to the main window and to the boxes and
// dialogs open over it.
#pragma once

#include <QMessageBox>
#include <QPointer>
#include <QString>
#include <QWidget>

#include "services/ui_services.h"

namespace tarvex::qt {

// The core breaks lines with bare carriage returns; Qt breaks them at line feeds.
QString MessageBoxText(const std::string& text);
QMessageBox::Icon MessageBoxIcon(BoxKind kind);

class QtMessageBoxes final : public MessageBoxes {
 public:
  // The main window, once it stands; boxes shown before, or after it has gone, have none.
  void SetMainWindow(QWidget* mainWindow) { mainWindow_ = mainWindow; }

  BoxAnswer Show(const std::string& text, const std::string& caption, BoxKind kind) override;

 private:
  QPointer<QWidget> mainWindow_;
};

}  // namespace tarvex::qt
