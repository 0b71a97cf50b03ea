#include "linux/tray/tray_mouse_messages.h"

#include <cstdlib>

namespace tarvex::qt {
namespace {

// WM_LBUTTONDOWN, WM_RBUTTONDOWN, WM_MBUTTONDOWN; up is one more, double click two more.
std::uint32_t DownOf(TrayMouseButton button) {
  switch (button) {
    case TrayMouseButton::kLeft:
      return 0x201;
    case TrayMouseButton::kRight:
      return 0x204;
    case TrayMouseButton::kMiddle:
      break;
  }
  return 0x207;
}

constexpr std::uint32_t kUpOffset = 1;
constexpr std::uint32_t kDoubleClickOffset = 2;

}  // namespace

std::uint32_t TrayMouseMessages::Pressed(TrayMouseButton button, std::uint32_t time, int x, int y) {
  // Unsigned difference: right across the counter's wrap-around.
  const bool second =
      hasLastPress_ && lastPress_.button == button && time - lastPress_.time <= interval_ &&
      std::abs(x - lastPress_.x) <= distance_ && std::abs(y - lastPress_.y) <= distance_;
  // A double click ends the series: a third press starts a new one.
  hasLastPress_ = !second;
  lastPress_ = {button, time, x, y};
  return DownOf(button) + (second ? kDoubleClickOffset : 0);
}

std::uint32_t TrayMouseMessages::Released(TrayMouseButton button) const {
  return DownOf(button) + kUpOffset;
}

}  // namespace tarvex::qt
