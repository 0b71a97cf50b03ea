// The frame a window manager draws around a window. The form's bounds are always the outer
// frame's, on every desktop; a toolkit that places a window's own area instead (X11) turns them
// into that area here, so that the same stored values give the same outer rectangle everywhere.
#pragma once

#include "app/views.h"

namespace tarvex {

// The width of each side of the frame in pixels; all 0 where the window has none, or where the
// window manager does not tell.
struct FrameExtents {
  int left = 0;
  int right = 0;
  int top = 0;
  int bottom = 0;
  bool operator==(const FrameExtents&) const = default;
};

struct FormSize {
  int width = 0;
  int height = 0;
  bool operator==(const FormSize&) const = default;
};

// The outer frame around a window whose own area stands at `client`.
Bounds OuterBounds(const Bounds& client, const FrameExtents& frame);

// The window's own area inside the outer frame `outer`: never less than a pixel each way.
Bounds ClientBounds(const Bounds& outer, const FrameExtents& frame);

// The least size of the main window's own area: the minimum size is the outer frame's.
FormSize MinimumClientSize(const FrameExtents& frame);

}  // namespace tarvex
