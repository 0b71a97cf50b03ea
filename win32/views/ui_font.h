// The font of every control of the program's windows.
#pragma once

#include "win32/support/unique_handle.h"

namespace tarvex::win32 {

// Tahoma, 8 points at `dpi` dots per inch (11 pixels at 96).
UniqueFont CreateUiFont(int dpi);

}  // namespace tarvex::win32
