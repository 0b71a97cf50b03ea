// While a message box is up, the program's other windows take no input; afterwards they do
// again, and the window that was active, with its focus, is active again.
#pragma once

#include "win32/support/windows_api.h"

#include <vector>

namespace tarvex::win32 {

class ProgramWindowsDisabled {
 public:
  // Disables every visible, enabled top-level window of this thread except `owner`: the box
  // disables its owner itself, and must enable it itself so that activation returns to it.
  explicit ProgramWindowsDisabled(HWND owner);
  ~ProgramWindowsDisabled();
  ProgramWindowsDisabled(const ProgramWindowsDisabled&) = delete;
  ProgramWindowsDisabled& operator=(const ProgramWindowsDisabled&) = delete;

 private:
  HWND active_;
  HWND focus_;
  std::vector<HWND> disabled_;
};

}  // namespace tarvex::win32
