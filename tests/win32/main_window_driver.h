// Plays the user at a real main window from the test's own thread: checks and selects rows in
// the list control as clicks would, and lets the window's messages run.
#pragma once

#include "win32/support/windows_api.h"

#include <string>

#include "win32/program/main_window.h"

namespace tarvex::win32::testing {

class MainWindowDriver {
 public:
  explicit MainWindowDriver(MainWindow& window) : window_(window) {}

  // The first row whose caption begins with `prefix`, -1 when none does.
  int RowStartingWith(const std::string& prefix) const {
    const auto& rows = window_.Form().Rows();
    for (std::size_t i = 0; i < rows.size(); ++i) {
      if (rows[i].caption.rfind(prefix, 0) == 0) return static_cast<int>(i);
    }
    return -1;
  }
  // As a click on the check box does it: the control changes the state and tells its parent.
  void Check(int row) { SetState(row, INDEXTOSTATEIMAGEMASK(2), LVIS_STATEIMAGEMASK); }
  void Select(int row) {
    SetState(row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  }
  // Handles every message waiting for this thread.
  static void Pump() {
    MSG message;
    while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&message);
      ::DispatchMessageA(&message);
    }
  }
  // Runs this thread's messages for a while, as the program's message loop would.
  static void PumpFor(DWORD milliseconds) {
    const DWORD start = ::GetTickCount();
    while (::GetTickCount() - start < milliseconds) {
      ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
      Pump();
    }
  }

 private:
  void SetState(int row, UINT state, UINT mask) {
    LVITEMA item{};
    item.state = state;
    item.stateMask = mask;
    ::SendMessageA(window_.List().Handle(), LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                   reinterpret_cast<LPARAM>(&item));
  }

  MainWindow& window_;
};

}  // namespace tarvex::win32::testing
