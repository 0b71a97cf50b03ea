// Whether the desktop window manager cloaks a window (DWMWA_CLOAKED). Windows 10 and 11 keep
// some windows visible by every user32 test yet off the screen: suspended store apps' frames,
// the text input host, windows on another virtual desktop. The taskbar leaves them out.
#pragma once

#include "win32/support/windows_api.h"

#include "win32/support/unique_handle.h"

namespace tarvex::win32 {

class DwmCloakQuery {
 public:
  // False where the query is missing or fails (older systems, Wine): such a window counts as
  // not cloaked, as it was before the compositor had the state.
  bool IsCloaked(HWND window);

 private:
  using GetWindowAttribute = HRESULT(WINAPI*)(HWND window, DWORD attribute, PVOID value,
                                              DWORD size);
  // Loaded at the first question, not at start: it is not part of the start's work, and the
  // program must not fail to start where the library is missing.
  void Load();

  bool loaded_ = false;
  UniqueModule library_;
  GetWindowAttribute getAttribute_ = nullptr;
};

}  // namespace tarvex::win32
