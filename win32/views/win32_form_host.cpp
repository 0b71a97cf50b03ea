#include "win32/views/win32_form_host.h"

namespace tarvex::win32 {
namespace {

// A minimized window keeps its normal bounds only in its placement, which gives them in
// workspace coordinates: relative to its monitor's work area, which a task bar at the left or
// the top moves away from the screen's origin.
POINT WorkspaceOrigin(HWND window) {
  MONITORINFO monitor{};
  monitor.cbSize = sizeof(monitor);
  if (!::GetMonitorInfoA(::MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor)) {
    return {0, 0};
  }
  return {monitor.rcWork.left - monitor.rcMonitor.left, monitor.rcWork.top - monitor.rcMonitor.top};
}

Bounds BoundsOf(const RECT& frame, POINT origin = {0, 0}) {
  return {frame.left + origin.x, frame.top + origin.y, frame.right - frame.left,
          frame.bottom - frame.top};
}

}  // namespace

void Win32FormHost::Close() {
  // Posted, not sent: the request may come from inside a control's click or a menu, which must
  // not see its window destroyed under it.
  ::PostMessageA(window_, WM_CLOSE, 0, 0);
}

void Win32FormHost::SetApplicationTitle(const std::string& title) {
  // The taskbar entry shows the caption of the window that carries it.
  ::SetWindowTextA(application_, title.c_str());
}

Bounds Win32FormHost::FormBounds() const {
  // Minimizing the program hides the main window, whose frame stays as it was; a window
  // minimized on its own keeps its bounds only in its placement.
  if (::IsIconic(window_)) {
    WINDOWPLACEMENT placement{};
    placement.length = sizeof(placement);
    ::GetWindowPlacement(window_, &placement);
    return BoundsOf(placement.rcNormalPosition, WorkspaceOrigin(window_));
  }
  RECT frame{};
  ::GetWindowRect(window_, &frame);
  return BoundsOf(frame);
}

void Win32FormHost::SetFormBounds(const Bounds& bounds) {
  if (!::IsIconic(window_)) {
    // The window's minimum size applies on the way (WM_GETMINMAXINFO).
    ::MoveWindow(window_, bounds.left, bounds.top, bounds.width, bounds.height, TRUE);
    return;
  }
  // A minimized window gets the bounds it will be restored to, and stays as it is: shown
  // without being activated, or hidden.
  WINDOWPLACEMENT placement{};
  placement.length = sizeof(placement);
  ::GetWindowPlacement(window_, &placement);
  const POINT origin = WorkspaceOrigin(window_);
  placement.rcNormalPosition = {bounds.left - origin.x, bounds.top - origin.y,
                                bounds.left - origin.x + bounds.width,
                                bounds.top - origin.y + bounds.height};
  placement.showCmd = ::IsWindowVisible(window_) ? SW_SHOWMINNOACTIVE : SW_HIDE;
  placement.flags &= ~static_cast<UINT>(WPF_SETMINPOSITION);
  ::SetWindowPlacement(window_, &placement);
}

ScreenSize Win32FormHost::PrimaryScreen() const {
  return {::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN)};
}

}  // namespace tarvex::win32
