#include "dialogs/dlg_options.h"

#include "dialogs/options_dialog_view.h"
#include "settings/options.h"

namespace tarvex {

void TDlgOptions::FormShow() {
  hotKeyIndex_ = HotKeyCode < kHotKeyItems.size() ? HotKeyCode : -1;
  minimizeToTray_ = MinimizeToTray;
}

void TDlgOptions::FormClose(bool ok) {
  if (!ok) return;
  HotKeyCode = static_cast<std::uint8_t>(hotKeyIndex_);
  MinimizeToTray = minimizeToTray_;
}

bool ShowOptionsDialog(OptionsDialogView& view) {
  TDlgOptions dialog;
  dialog.FormShow();
  const bool ok = view.ShowModal(dialog);
  dialog.FormClose(ok);
  return ok;
}

}  // namespace tarvex
