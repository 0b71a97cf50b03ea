// The system's message box, owned by the main window, with the program's other windows
// disabled while it is up.
#pragma once

#include "win32/support/windows_api.h"

#include "services/ui_services.h"

namespace tarvex::win32 {

class Win32MessageBoxes final : public MessageBoxes {
 public:
  // The owner of every box of the program (none before the main window exists). Failures reach
  // the error box from anywhere, so the owner is the program's, not one object's.
  static void SetOwner(HWND owner) { owner_ = owner; }
  static HWND Owner() { return owner_; }

  BoxAnswer Show(const std::string& text, const std::string& caption, BoxKind kind) override;

 private:
  inline static HWND owner_ = nullptr;
};

}  // namespace tarvex::win32
