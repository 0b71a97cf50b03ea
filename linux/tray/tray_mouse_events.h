// The tray icon's mouse presses and releases as the notification area reports them to the tray
// icon: a second press of the same button soon after the first and close to it is a double click,
// which takes the place of that press.
#pragma once

#include <cstdint>

#include "tray/tray_icon.h"

namespace tarvex::qt {

class TrayMouseEvents {
 public:
  TrayMouseEvents(std::uint32_t doubleClickMilliseconds, int doubleClickDistance)
      : interval_(doubleClickMilliseconds), distance_(doubleClickDistance) {}

  // `time` is the event's time in milliseconds, a counter that may wrap around.
  TrayMouseEvent Pressed(TMouseButton button, std::uint32_t time, int x, int y);
  TrayMouseEvent Released(TMouseButton button) const;

 private:
  struct Press {
    TMouseButton button;
    std::uint32_t time;
    int x, y;
  };

  std::uint32_t interval_;
  int distance_;
  bool hasLastPress_ = false;  // a press that a second one would make a double click
  Press lastPress_{};
};

}  // namespace tarvex::qt
