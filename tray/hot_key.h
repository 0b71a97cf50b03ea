// The global hot key: one function key without modifiers, chosen by its index in the options.
#pragma once

#include <cstdint>
#include <optional>

namespace tarvex {

inline constexpr int kAppHotKeyId = 105;

// The function keys F1 .. F24, by their numbers 1 .. 24.
inline constexpr int kLastFunctionKey = 24;

// The function key for the indexes 1 .. 24; nothing for 0 and 25 .. 255.
std::optional<int> HotKeyOf(std::uint8_t hotKeyCode);

// The platform's global hot keys, registered on the main window.
class HotKeys {
 public:
  virtual ~HotKeys() = default;
  // Failures (a key another program holds, nothing to unregister) are the platform's to ignore.
  // `functionKey` is 1 for F1 .. 24 for F24; each edition turns it into its own key code.
  virtual void Register(int id, int functionKey) = 0;
  virtual void Unregister(int id) = 0;
};

// Unregisters the program's key, always, then registers the one the table gives, if any.
void RegisterAppHotKey(HotKeys& hotKeys, std::uint8_t hotKeyCode);

}  // namespace tarvex
