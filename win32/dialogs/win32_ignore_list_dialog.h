// The ignore list dialog: the list of captions with Add, Modify and Remove, and OK and Cancel,
// showing what the core's TDlgIgnoreList holds after each step.
#pragma once

#include "win32/support/windows_api.h"

#include "dialogs/ignore_list_dialog_view.h"

namespace tarvex::win32 {

class Win32IgnoreListDialog final : public IgnoreListDialogView {
 public:
  // The dialog is owned by, and centred on, `owner`.
  explicit Win32IgnoreListDialog(HWND owner) : owner_(owner) {}

  bool ShowModal(TDlgIgnoreList& dialog) override;

 private:
  HWND owner_;
};

// The controls' identifiers, besides IDOK and IDCANCEL.
enum IgnoreListControl : int {
  kIgnoreListBox = 100,
  kIgnoreListAdd,
  kIgnoreListModify,
  kIgnoreListRemove,
};

inline constexpr const char* kIgnoreListCaption = "Ignore List";

}  // namespace tarvex::win32
