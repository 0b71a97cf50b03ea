#include "win32/dpi_scale.h"

namespace tarvex::win32 {

DpiScale ScreenDpiScale() {
  const HDC screen = ::GetDC(nullptr);
  const int dotsPerInch = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  return DpiScale(dotsPerInch > 0 ? dotsPerInch : 96);
}

}  // namespace tarvex::win32
