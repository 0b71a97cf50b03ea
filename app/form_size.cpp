#include "app/form_size.h"

#include "app/dpi_units.h"

namespace tarvex {

ScreenSize MinimumFormSize(int dpi) {
  return {ScaleFromDesign(kMinimumWidth, dpi), ScaleFromDesign(kMinimumHeight, dpi)};
}

}  // namespace tarvex
