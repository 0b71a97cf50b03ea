// The program is aware of each monitor's resolution (per-monitor awareness, version 2, in its
// manifest): Windows does not stretch its pixels, so every window draws its designed sizes, in
// pixels at 96 dots per inch, at the resolution of the monitor it stands on, and draws itself
// anew when it moves to a monitor of another (WM_DPICHANGED).
#pragma once

#include "win32/support/windows_api.h"

#include "app/dpi_units.h"

namespace tarvex::win32 {

class DpiScale {
 public:
  explicit DpiScale(int dotsPerInch) : dotsPerInch_(dotsPerInch) {}
  int operator()(int designed) const { return ScaleFromDesign(designed, dotsPerInch_); }
  int Dpi() const { return dotsPerInch_; }

 private:
  int dotsPerInch_;
};

// The resolution `window` is drawn at: its monitor's. Where the system cannot tell a window's
// own (before Windows 10, where the manifest makes the program aware of the system's resolution
// only), the system's.
int WindowDpi(HWND window);

}  // namespace tarvex::win32
