// Every atom the window system uses, declared once and interned in one batch.
#pragma once

#include <xcb/xcb.h>

namespace tarvex::x11 {

// A table, one atom a line: kept as written.
// clang-format off
#define TARVEX_X11_ATOMS(X)           \
  X(UTF8_STRING)                      \
  X(WM_STATE)                         \
  X(WM_CHANGE_STATE)                  \
  X(WM_PROTOCOLS)                     \
  X(WM_DELETE_WINDOW)                 \
  X(_NET_SUPPORTED)                   \
  X(_NET_SUPPORTING_WM_CHECK)         \
  X(_NET_CLIENT_LIST)                 \
  X(_NET_CLIENT_LIST_STACKING)        \
  X(_NET_ACTIVE_WINDOW)               \
  X(_NET_CLOSE_WINDOW)                \
  X(_NET_REQUEST_FRAME_EXTENTS)       \
  X(_NET_FRAME_EXTENTS)               \
  X(_NET_WM_NAME)                     \
  X(_NET_WM_PID)                      \
  X(_NET_WM_WINDOW_TYPE)              \
  X(_NET_WM_WINDOW_TYPE_DESKTOP)      \
  X(_NET_WM_WINDOW_TYPE_DOCK)         \
  X(_NET_WM_WINDOW_TYPE_TOOLBAR)      \
  X(_NET_WM_WINDOW_TYPE_MENU)         \
  X(_NET_WM_WINDOW_TYPE_UTILITY)      \
  X(_NET_WM_WINDOW_TYPE_SPLASH)       \
  X(_NET_WM_WINDOW_TYPE_DIALOG)       \
  X(_NET_WM_WINDOW_TYPE_DROPDOWN_MENU)\
  X(_NET_WM_WINDOW_TYPE_POPUP_MENU)   \
  X(_NET_WM_WINDOW_TYPE_TOOLTIP)      \
  X(_NET_WM_WINDOW_TYPE_NOTIFICATION) \
  X(_NET_WM_WINDOW_TYPE_COMBO)        \
  X(_NET_WM_WINDOW_TYPE_DND)          \
  X(_NET_WM_WINDOW_TYPE_NORMAL)       \
  X(_NET_WM_STATE)                    \
  X(_NET_WM_STATE_MODAL)              \
  X(_NET_WM_STATE_SKIP_TASKBAR)       \
  X(_NET_WM_STATE_HIDDEN)             \
  X(_NET_WM_STATE_MAXIMIZED_VERT)     \
  X(_NET_WM_STATE_MAXIMIZED_HORZ)     \
  X(_NET_WM_STATE_FULLSCREEN)         \
  X(_NET_WM_STATE_ABOVE)              \
  X(_NET_WM_ALLOWED_ACTIONS)          \
  X(_NET_WM_ACTION_MINIMIZE)          \
  X(_NET_WM_ACTION_MAXIMIZE_HORZ)     \
  X(_NET_WM_ACTION_MAXIMIZE_VERT)     \
  X(_NET_WM_ACTION_RESIZE)            \
  X(_NET_WM_ACTION_CLOSE)
// clang-format on

struct Atoms {
#define TARVEX_X11_ATOM_FIELD(name) xcb_atom_t name = XCB_ATOM_NONE;
  TARVEX_X11_ATOMS(TARVEX_X11_ATOM_FIELD)
#undef TARVEX_X11_ATOM_FIELD
};

// Sends every intern request before waiting for the first answer. An atom the server could not
// intern stays XCB_ATOM_NONE, which matches no property.
Atoms InternAtoms(xcb_connection_t* connection);

}  // namespace tarvex::x11
