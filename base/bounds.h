// A rectangle in pixels: a window's outer frame on the screen, or a control's frame in its window.
#pragma once

namespace tarvex {

struct Bounds {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  bool operator==(const Bounds&) const = default;
};

}  // namespace tarvex
