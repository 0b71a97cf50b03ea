// Everything the window enumerator reaches outside itself.
#pragma once

#include "winlist/icon_source.h"
#include "winlist/tool_help_library.h"
#include "services/ui_services.h"
#include "winlist/window_system.h"

namespace tarvex {

struct WinListPlatform {
  WindowSystem& windows;
  ToolHelpLibrary& toolHelp;
  IconSource& icons;
  TimerService& timers;
  MessagePump& pump;
  MessageBoxes& boxes;
};

}  // namespace tarvex
