// Plays the user's part in a modal dialog or box of this thread: the test arms it, calls the
// function that runs the modal loop, and the script acts once the dialog with the caption is up.
#pragma once

#include "win32/support/windows_api.h"

#include <functional>
#include <string>

namespace tarvex::win32::testing {

class WhenWindowUp {
 public:
  WhenWindowUp(std::string caption, std::function<void(HWND)> act);
  ~WhenWindowUp();
  WhenWindowUp(const WhenWindowUp&) = delete;
  WhenWindowUp& operator=(const WhenWindowUp&) = delete;

  bool Acted() const { return acted_; }

 private:
  static void CALLBACK Tick(HWND, UINT, UINT_PTR timer, DWORD);

  std::string caption_;
  std::function<void(HWND)> act_;
  UINT_PTR timer_ = 0;
  bool acted_ = false;
};

// A dialog's control reports a click or a list box change, as the control itself would.
void Notify(HWND dialog, int id, int code);
std::string TextOf(HWND window);

}  // namespace tarvex::win32::testing
