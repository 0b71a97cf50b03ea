// A top-level window of the test process itself, for the cases that need to destroy a window or
// watch the messages it gets.
#pragma once

#include <string>

#include "win32/support/handle_conversion.h"
#include "win32/support/unique_handle.h"

namespace tarvex::win32::testing {

class OwnWindow {
 public:
  explicit OwnWindow(const std::string& caption, bool visible = true);

  HWND Hwnd() const { return window_.get(); }
  WinHandle Handle() const { return FromHwnd(window_.get()); }
  void Destroy() { window_.reset(); }
  // Messages of this kind the window has received.
  int Received(UINT message) const;

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  UniqueWindow window_;
};

}  // namespace tarvex::win32::testing
