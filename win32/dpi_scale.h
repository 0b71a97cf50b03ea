// Sizes are designed at 96 dots per inch. The program declares itself aware of the system's
// resolution (not per monitor), so one factor, the screen's, serves every window.
#pragma once

#include "win32/windows_api.h"

namespace tarvex::win32 {

class DpiScale {
 public:
  explicit DpiScale(int dotsPerInch) : dotsPerInch_(dotsPerInch) {}
  int operator()(int designed) const { return ::MulDiv(designed, dotsPerInch_, 96); }

 private:
  int dotsPerInch_;
};

DpiScale ScreenDpiScale();

}  // namespace tarvex::win32
