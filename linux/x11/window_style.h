// The window-long answers made up from a window's X11 facts, chosen so that the enumerator's
// task-bar filter keeps what a taskbar shows: applications and their iconic windows; never
// docks, desktops, menus, tooltips, notifications, splash screens or skip-taskbar windows.
#pragma once

#include <cstdint>

#include "linux/x11/window_facts.h"

namespace tarvex::x11 {

// Managed and not withdrawn; an iconic window counts as shown, as a minimized one does on Windows.
bool IsShown(const WindowFacts& facts);
// Whether a taskbar would give the window a button of its own.
bool BelongsOnTaskbar(const WindowFacts& facts);
std::uint32_t StyleBits(const WindowFacts& facts);
std::uint32_t ExStyleBits(const WindowFacts& facts);

}  // namespace tarvex::x11
