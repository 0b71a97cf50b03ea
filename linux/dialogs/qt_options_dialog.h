// The options dialog: the hot key's drop-down list and the minimize-to-tray box, with OK and
// Cancel, showing and handing back what the core's TDlgOptions holds.
#pragma once

#include "dialogs/options_dialog_view.h"

class QWidget;

namespace tarvex::qt {

class QtOptionsDialog final : public OptionsDialogView {
 public:
  // The dialog is modal to, and centred on, `parent` (the main window).
  explicit QtOptionsDialog(QWidget* parent) : parent_(parent) {}
  // The main window, once it stands; dialogs shown before have none.
  void SetParent(QWidget* parent) { parent_ = parent; }

  bool ShowModal(TDlgOptions& dialog) override;

 private:
  QWidget* parent_;
};

}  // namespace tarvex::qt
