#include "app/window_frame.h"

#include <algorithm>
#include <climits>

#include "app/form_size.h"

namespace tarvex {
namespace {

// Stored bounds may hold any int: sums are taken wide and brought back into range.
int Clamped(long long value, long long least = INT_MIN) {
  return static_cast<int>(std::clamp<long long>(value, least, INT_MAX));
}

}  // namespace

Bounds OuterBounds(const Bounds& client, const FrameExtents& frame) {
  return {Clamped(static_cast<long long>(client.left) - frame.left),
          Clamped(static_cast<long long>(client.top) - frame.top),
          Clamped(static_cast<long long>(client.width) + frame.left + frame.right),
          Clamped(static_cast<long long>(client.height) + frame.top + frame.bottom)};
}

Bounds ClientBounds(const Bounds& outer, const FrameExtents& frame) {
  return {Clamped(static_cast<long long>(outer.left) + frame.left),
          Clamped(static_cast<long long>(outer.top) + frame.top),
          Clamped(static_cast<long long>(outer.width) - frame.left - frame.right, 1),
          Clamped(static_cast<long long>(outer.height) - frame.top - frame.bottom, 1)};
}

FormSize MinimumClientSize(const FrameExtents& frame) {
  const Bounds least = ClientBounds({0, 0, kMinimumWidth, kMinimumHeight}, frame);
  return {least.width, least.height};
}

}  // namespace tarvex
