#include "linux/tray/tray_mouse_events.h"

#include <cstdlib>

namespace tarvex::qt {
namespace {

struct ButtonEvents {
  TrayMouseEvent down, up, doubleClick;
};

ButtonEvents EventsOf(TMouseButton button) {
  switch (button) {
    case TMouseButton::mbLeft:
      return {TrayMouseEvent::kLeftDown, TrayMouseEvent::kLeftUp, TrayMouseEvent::kLeftDoubleClick};
    case TMouseButton::mbRight:
      return {TrayMouseEvent::kRightDown, TrayMouseEvent::kRightUp,
              TrayMouseEvent::kRightDoubleClick};
    case TMouseButton::mbMiddle:
      break;
  }
  return {TrayMouseEvent::kMiddleDown, TrayMouseEvent::kMiddleUp,
          TrayMouseEvent::kMiddleDoubleClick};
}

}  // namespace

TrayMouseEvent TrayMouseEvents::Pressed(TMouseButton button, std::uint32_t time, int x, int y) {
  // Unsigned difference: right across the counter's wrap-around.
  const bool second =
      hasLastPress_ && lastPress_.button == button && time - lastPress_.time <= interval_ &&
      std::abs(x - lastPress_.x) <= distance_ && std::abs(y - lastPress_.y) <= distance_;
  // A double click ends the series: a third press starts a new one.
  hasLastPress_ = !second;
  lastPress_ = {button, time, x, y};
  const ButtonEvents events = EventsOf(button);
  return second ? events.doubleClick : events.down;
}

TrayMouseEvent TrayMouseEvents::Released(TMouseButton button) const { return EventsOf(button).up; }

}  // namespace tarvex::qt
