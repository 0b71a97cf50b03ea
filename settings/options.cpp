#include "settings/options.h"

namespace tarvex {

// Both stay off until the settings are read.
bool MinimizeToTray = false;
std::uint8_t HotKeyCode = 0;

}  // namespace tarvex
