#include "tray/hot_key.h"

namespace tarvex {

std::optional<int> HotKeyOf(std::uint8_t hotKeyCode) {
  if (hotKeyCode < 1 || hotKeyCode > kLastFunctionKey) return std::nullopt;
  return hotKeyCode;
}

void RegisterAppHotKey(HotKeys& hotKeys, std::uint8_t hotKeyCode) {
  const auto key = HotKeyOf(hotKeyCode);
  hotKeys.Unregister(kAppHotKeyId);
  if (key) hotKeys.Register(kAppHotKeyId, *key);
}

}  // namespace tarvex
