#include "win32/ui_font.h"

#include <stdexcept>

namespace tarvex::win32 {

UniqueFont CreateUiFont() {
  const HDC screen = ::GetDC(nullptr);
  const int dotsPerInch = ::GetDeviceCaps(screen, LOGPIXELSY);
  ::ReleaseDC(nullptr, screen);
  // A negative height asks for the character height, as point sizes mean.
  UniqueFont font(::CreateFontA(-::MulDiv(8, dotsPerInch, 72), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma"));
  if (!font) throw std::runtime_error("Cannot create the window font");
  return font;
}

}  // namespace tarvex::win32
