#include "tray/hot_key.h"

namespace tarvex {

std::optional<std::uint32_t> HotKeyOf(std::uint8_t hotKeyCode) {
  constexpr std::uint32_t kVirtualKeyBeforeF1 = 0x6F;
  if (hotKeyCode < 1 || hotKeyCode > 24) return std::nullopt;
  return kVirtualKeyBeforeF1 + hotKeyCode;
}

void RegisterAppHotKey(HotKeys& hotKeys, std::uint8_t hotKeyCode) {
  const auto key = HotKeyOf(hotKeyCode);
  hotKeys.Unregister(kAppHotKeyId);
  if (key) hotKeys.Register(kAppHotKeyId, *key);
}

}  // namespace tarvex
