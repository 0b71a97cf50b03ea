// The main window's size as designed, and the least it may be made, at 96 dots per inch.
#pragma once

#include "app/views.h"

namespace tarvex {

// The main window as designed; it is never smaller than its minimum size.
inline constexpr Bounds kDesignedBounds = {192, 103, 321, 246};
inline constexpr int kMinimumWidth = 321;
inline constexpr int kMinimumHeight = 125;
// The minimum size on a monitor of `dpi` dots per inch.
ScreenSize MinimumFormSize(int dpi);

}  // namespace tarvex
