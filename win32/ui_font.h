// The font of every control of the program's windows.
#pragma once

#include "win32/unique_handle.h"

namespace tarvex::win32 {

// Tahoma, 8 points at the screen's resolution (11 pixels at 96 dots per inch).
UniqueFont CreateUiFont();

}  // namespace tarvex::win32
