// Every service the core needs, as this edition provides them, in one place that outlives the
// core's objects.
#pragma once

#include "win32/platform/win32_ansi_code_page.h"
#include "win32/platform/win32_icon_source.h"
#include "win32/platform/win32_input_box.h"
#include "win32/platform/win32_message_boxes.h"
#include "win32/platform/win32_message_pump.h"
#include "win32/platform/win32_profile_store.h"
#include "win32/platform/win32_text_collation.h"
#include "win32/platform/win32_timer_service.h"
#include "win32/platform/win32_tool_help_library.h"
#include "win32/platform/win32_web_browser.h"
#include "win32/platform/win32_window_system.h"
#include "winlist/win_list_platform.h"

namespace tarvex::win32 {

struct Win32Platform {
  Win32WindowSystem windows;
  Win32ToolHelpLibrary toolHelp;
  Win32IconSource icons;
  Win32TimerService timers;
  Win32MessagePump pump;
  Win32MessageBoxes boxes;
  Win32TextCollation collation;
  Win32AnsiCodePage codePage;
  Win32WebBrowser browser;
  Win32ProfileStore settings;
  Win32InputBox inputBox;

  WinListPlatform WinList() { return {windows, toolHelp, icons, timers, pump, boxes}; }
};

}  // namespace tarvex::win32
