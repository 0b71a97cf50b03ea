// What the window system knows about one client window after one batch of requests.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <string>

namespace tarvex::x11 {

// ICCCM WM_STATE as the window manager wrote it; kAbsent where no manager did.
enum class WmState { kAbsent, kWithdrawn, kNormal, kIconic };

// The values ICCCM gives those states in WM_STATE and WM_CHANGE_STATE.
inline constexpr std::uint32_t kWithdrawnStateValue = 0;
inline constexpr std::uint32_t kNormalStateValue = 1;
inline constexpr std::uint32_t kIconicStateValue = 3;

// The part of _NET_WM_WINDOW_TYPE that decides where a taskbar puts the window.
enum class WindowKind {
  kApplication,  // normal windows and windows without a type
  kDialog,
  kTool,   // utility palettes and torn-off toolbars
  kShell,  // desktops, docks and panels
  kPopup,  // menus, tooltips, notifications, splash screens, drag icons, combo lists
};

struct WindowFacts {
  bool exists = false;  // false: the window is gone or never was one
  bool overrideRedirect = false;
  bool mapped = false;
  WmState wmState = WmState::kAbsent;
  WindowKind kind = WindowKind::kApplication;
  std::string caption;  // UTF-8
  std::string className;
  xcb_window_t transientFor = XCB_WINDOW_NONE;  // none for absent or the root
  std::uint32_t processId = 0;

  // _NET_WM_STATE
  bool skipTaskbar = false;
  bool hidden = false;
  bool maximized = false;  // both ways
  bool modal = false;
  bool above = false;

  // _NET_WM_ALLOWED_ACTIONS; without the property the manager allows everything.
  bool canMinimize = true;
  bool canMaximize = true;
  bool canResize = true;
  bool canClose = true;
};

}  // namespace tarvex::x11
