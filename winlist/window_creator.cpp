#include "winlist/window_creator.h"

namespace tarvex {

WindowCreator CreatorOf(WindowSystem& windows, WinHandle window) {
  WindowCreator creator;
  creator.thread = windows.ThreadProcessId(window, &creator.process);
  return creator;
}

bool StillTheWindow(WindowSystem& windows, WinHandle window, const WindowCreator& creator) {
  return CreatorOf(windows, window) == creator && windows.Exists(window);
}

}  // namespace tarvex
