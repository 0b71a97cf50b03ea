// Keeps a window on the primary screen: whatever sticks out at the right or the bottom is moved
// back first, then a window off the left or top edge goes to 0, and a window larger than the
// screen takes the screen's width or height.
#pragma once

#include "app/views.h"

namespace tarvex {

// W and H are the primary screen's full size, not its work area.
Bounds FitFormToScreen(Bounds form, int screenWidth, int screenHeight);

}  // namespace tarvex
