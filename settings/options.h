// The two options, read at the first show and written at close.
#pragma once

#include <cstdint>

namespace tarvex {

// Hide in the notification area when minimized.
extern bool MinimizeToTray;
// The hot key's index: 0 none, 1 to 12 the keys F1 to F12.
extern std::uint8_t HotKeyCode;

}  // namespace tarvex
