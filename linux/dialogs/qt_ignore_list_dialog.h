// The ignore list dialog: the list of captions with Add, Modify and Remove, and OK and Cancel,
// showing what the core's TDlgIgnoreList holds after each step.
#pragma once

#include "settings/ignore_list_dialog_view.h"

class QWidget;

namespace tarvex::qt {

class QtIgnoreListDialog final : public IgnoreListDialogView {
 public:
  // The dialog is modal to, and centred on, `parent` (the main window).
  explicit QtIgnoreListDialog(QWidget* parent) : parent_(parent) {}
  // The main window, once it stands; dialogs shown before have none.
  void SetParent(QWidget* parent) { parent_ = parent; }

  // A failure in one of the dialog's handlers closes it and is thrown from here.
  bool ShowModal(TDlgIgnoreList& dialog) override;

 private:
  QWidget* parent_;
};

}  // namespace tarvex::qt
