// Whether a handle still names the window a row was made for.
#pragma once

#include "winlist/window_system.h"

namespace tarvex {

WindowCreator CreatorOf(WindowSystem& windows, WinHandle window);

// The window exists and its creator is still the one seen when the row was made. A handle that
// went to a window of another process (or, where the window system tells, to any new window)
// fails, and so does a row made for a window that was already gone.
bool StillTheWindow(WindowSystem& windows, WinHandle window, const WindowCreator& creator);

}  // namespace tarvex
