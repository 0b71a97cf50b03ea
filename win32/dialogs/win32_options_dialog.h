// The options dialog: the hot key's drop-down list and the minimize-to-tray box, with OK and
// Cancel, showing and handing back what the core's TDlgOptions holds.
#pragma once

#include "win32/support/windows_api.h"

#include "dialogs/options_dialog_view.h"

namespace tarvex::win32 {

class Win32OptionsDialog final : public OptionsDialogView {
 public:
  // The dialog is owned by, and centred on, `owner`.
  explicit Win32OptionsDialog(HWND owner) : owner_(owner) {}

  bool ShowModal(TDlgOptions& dialog) override;

 private:
  HWND owner_;
};

// The controls' identifiers, besides IDOK and IDCANCEL.
enum OptionsControl : int {
  kOptionsHotKey = 100,
  kOptionsMinimizeToTray,
  kOptionsHotKeyLabel,
};

inline constexpr const char* kOptionsCaption = "Options";

}  // namespace tarvex::win32
