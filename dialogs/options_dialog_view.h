// The edition's options dialog: it shows the dialog's logic modally.
#pragma once

#include "dialogs/dlg_options.h"

namespace tarvex {

class OptionsDialogView {
 public:
  virtual ~OptionsDialogView() = default;
  // Runs the dialog until it closes; true when it closed with OK.
  virtual bool ShowModal(TDlgOptions& dialog) = 0;
};

// Creates the dialog for one use, loads the two options into it, shows it and hands them back
// on OK.
bool ShowOptionsDialog(OptionsDialogView& view);

}  // namespace tarvex
