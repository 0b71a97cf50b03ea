// Small pieces every X11 part of the tray needs: atoms by name and the display's default screen.
// Replies that free themselves come from the X11 layer (x11::Reply).
#pragma once

#include <xcb/xcb.h>

#include <string_view>

#include "linux/x11/reply.h"

namespace tarvex::qt {

// The atom of the name, created when the server has none yet; XCB_ATOM_NONE on failure.
xcb_atom_t InternAtom(xcb_connection_t* connection, std::string_view name);

// The screen that $DISPLAY names, which is the one Qt opened; nullptr when there is none.
xcb_screen_t* DefaultScreen(xcb_connection_t* connection);
int DefaultScreenNumber();

// Qt's own connection, so that the events we ask for arrive in Qt's event loop. Throws when the
// application does not run on the xcb platform.
xcb_connection_t* QtXcbConnection();

}  // namespace tarvex::qt
