// The application's message box: QMessageBox, modal for the whole program.
#pragma once

#include <QMessageBox>
#include <QString>

#include "winlist/ui_services.h"

namespace tarvex::qt {

// The core breaks lines with bare carriage returns; Qt breaks them at line feeds.
QString MessageBoxText(const std::string& text);
QMessageBox::Icon MessageBoxIcon(unsigned flags);

class QtMessageBoxes final : public MessageBoxes {
 public:
  int Show(const std::string& text, const std::string& caption, unsigned flags) override;
};

}  // namespace tarvex::qt
