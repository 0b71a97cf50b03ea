// The global hot key: one function key without modifiers, chosen by its index in the options.
#pragma once

#include <cstdint>
#include <optional>

namespace tarvex {

inline constexpr int kAppHotKeyId = 105;

// The virtual-key code of F1 .. F24 for the indexes 1 .. 24; nothing for 0 and 25 .. 255.
std::optional<std::uint32_t> HotKeyOf(std::uint8_t hotKeyCode);

// The platform's global hot keys, registered on the main window.
class HotKeys {
 public:
  virtual ~HotKeys() = default;
  // Failures (a key another program holds, nothing to unregister) are the platform's to ignore.
  virtual void Register(int id, std::uint32_t virtualKey) = 0;
  virtual void Unregister(int id) = 0;
};

// Unregisters the program's key, always, then registers the one the table gives, if any.
void RegisterAppHotKey(HotKeys& hotKeys, std::uint8_t hotKeyCode);

}  // namespace tarvex
