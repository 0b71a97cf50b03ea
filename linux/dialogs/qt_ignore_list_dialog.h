// The ignore list dialog: the list of captions with Add, Modify and Remove, and OK and Cancel,
// showing what the core's TDlgIgnoreList holds after each step.
#pragma once

#include "dialogs/ignore_list_dialog_view.h"
#include "services/failure_sink.h"

class QWidget;

namespace tarvex::qt {

class QtIgnoreListDialog final : public IgnoreListDialogView {
 public:
  // The dialog is modal to, and centred on, `parent` (the main window); the failures of its
  // steps go to the failure sink.
  QtIgnoreListDialog(QWidget* parent, FailureSink failures)
      : parent_(parent), failures_(failures) {}
  // The main window, once it stands; dialogs shown before have none.
  void SetParent(QWidget* parent) { parent_ = parent; }

  // A failure in one of the dialog's steps shows the error box and leaves the dialog open.
  bool ShowModal(TDlgIgnoreList& dialog) override;

 private:
  QWidget* parent_;
  FailureSink failures_;
};

}  // namespace tarvex::qt
