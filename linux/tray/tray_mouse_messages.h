// The tray icon's mouse actions as the notifications the Windows shell sends for it, which is what
// the tray icon's rules are written against: a second press of the same button soon after the
// first and close to it is a double click, which takes the place of that press.
#pragma once

#include <cstdint>

namespace tarvex::qt {

enum class TrayMouseButton { kLeft, kRight, kMiddle };

inline constexpr std::uint32_t kTrayMouseMove = 0x200;  // WM_MOUSEMOVE

class TrayMouseMessages {
 public:
  TrayMouseMessages(std::uint32_t doubleClickMilliseconds, int doubleClickDistance)
      : interval_(doubleClickMilliseconds), distance_(doubleClickDistance) {}

  // `time` is the event's time in milliseconds, a counter that may wrap around.
  std::uint32_t Pressed(TrayMouseButton button, std::uint32_t time, int x, int y);
  std::uint32_t Released(TrayMouseButton button) const;

 private:
  struct Press {
    TrayMouseButton button;
    std::uint32_t time;
    int x, y;
  };

  std::uint32_t interval_;
  int distance_;
  bool hasLastPress_ = false;  // a press that a second one would make a double click
  Press lastPress_{};
};

}  // namespace tarvex::qt
