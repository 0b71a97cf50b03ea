// The edition's ignore list dialog: it shows the dialog's logic modally.
#pragma once

#include "dialogs/dlg_ignore_list.h"

namespace tarvex {

class IgnoreListDialogView {
 public:
  virtual ~IgnoreListDialogView() = default;
  // Runs the dialog until it closes; true when it closed with OK.
  virtual bool ShowModal(TDlgIgnoreList& dialog) = 0;
};

// Creates the dialog for one use, fills it, shows it and hands its entries back on OK.
bool ShowIgnoreListDialog(const TextCollation& collation, InputBox& inputBox,
                          IgnoreListDialogView& view);

}  // namespace tarvex
