#include "win32/program/screen_snap.h"

#include <cstdlib>

namespace tarvex::win32 {
namespace {

// Along one axis: the shift that puts the near edge on 0, else the far edge on `limit`, or 0
// when neither is close enough.
LONG SnapShift(LONG nearEdge, LONG farEdge, LONG limit, int distance) {
  if (std::labs(nearEdge) < distance) return -nearEdge;
  if (std::labs(limit - farEdge) < distance) return limit - farEdge;
  return 0;
}

}  // namespace

RECT SnapToScreen(const RECT& frame, const RECT& workArea, int distance) {
  if (frame.left == 0 && frame.top == 0) return frame;
  const LONG dx = SnapShift(frame.left, frame.right, workArea.right, distance);
  const LONG dy = SnapShift(frame.top, frame.bottom, workArea.bottom, distance);
  return {frame.left + dx, frame.top + dy, frame.right + dx, frame.bottom + dy};
}

RECT WorkAreaAt(const RECT& frame) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  ::GetMonitorInfoA(::MonitorFromRect(&frame, MONITOR_DEFAULTTONEAREST), &monitor);
  return monitor.rcWork;
}

}  // namespace tarvex::win32
