#include "win32/views/ui_font.h"

#include <stdexcept>

#include "app/dpi_units.h"

namespace tarvex::win32 {

UniqueFont CreateUiFont(int dpi) {
  // A negative height asks for the character height, as point sizes mean: 8 points are 8/72 of
  // an inch.
  UniqueFont font(::CreateFontA(-ScaleBetweenDpis(8, 72, dpi), 0, 0, 0, FW_NORMAL, FALSE, FALSE,
                                FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS,
                                DEFAULT_QUALITY, DEFAULT_PITCH | FF_DONTCARE, "Tahoma"));
  if (!font) throw std::runtime_error("Cannot create the window font");
  return font;
}

}  // namespace tarvex::win32
