#include "win32/platform/program_windows_disabled.h"

namespace tarvex::win32 {
namespace {

struct Collection {
  HWND owner;
  std::vector<HWND>& windows;
};

// Called from the system's frames, which no exception may cross: running out of memory stops
// the collection, and the windows not collected simply stay enabled.
BOOL CALLBACK CollectEnabled(HWND window, LPARAM param) {
  auto& collection = *reinterpret_cast<Collection*>(param);
  if (window != collection.owner && ::IsWindowVisible(window) && ::IsWindowEnabled(window)) {
    try {
      collection.windows.push_back(window);
    } catch (...) {
      return FALSE;
    }
  }
  return TRUE;
}

}  // namespace

ProgramWindowsDisabled::ProgramWindowsDisabled(HWND owner)
    : active_(::GetActiveWindow()), focus_(::GetFocus()) {
  Collection collection{owner, disabled_};
  ::EnumThreadWindows(::GetCurrentThreadId(), CollectEnabled,
                      reinterpret_cast<LPARAM>(&collection));
  for (HWND window : disabled_) ::EnableWindow(window, FALSE);
}

ProgramWindowsDisabled::~ProgramWindowsDisabled() {
  // A window may have gone while the box was up (a timer's refresh runs behind it).
  for (HWND window : disabled_) {
    if (::IsWindow(window)) ::EnableWindow(window, TRUE);
  }
  if (active_ != nullptr && ::IsWindow(active_)) ::SetActiveWindow(active_);
  if (focus_ != nullptr && ::IsWindow(focus_)) ::SetFocus(focus_);
}

}  // namespace tarvex::win32
