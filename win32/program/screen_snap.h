// The main window's screen snap: while the user drags it, an edge that comes close to the
// screen's origin or to its monitor's work area jumps onto it.
#pragma once

#include "win32/support/windows_api.h"

namespace tarvex::win32 {

// The dragged frame after the snap: a left or top edge nearer than `distance` to 0 goes to 0,
// else a right or bottom edge nearer than `distance` to the work area's goes onto it. The size
// never changes, and a frame dragged to 0, 0 stays there.
RECT SnapToScreen(const RECT& frame, const RECT& workArea, int distance);

// The work area of the monitor that holds most of the frame.
RECT WorkAreaAt(const RECT& frame);

}  // namespace tarvex::win32
