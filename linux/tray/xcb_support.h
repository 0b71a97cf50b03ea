// Small pieces every X11 part of the tray needs: replies that free themselves, atoms by name and
// the root window of the display's default screen.
#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string_view>

namespace tarvex::qt {

struct FreeDeleter {
  void operator()(void* pointer) const { std::free(pointer); }
};
// xcb hands out replies, errors and keycode lists allocated with malloc.
template <typename T>
using XcbPointer = std::unique_ptr<T, FreeDeleter>;

// The atom of the name, created when the server has none yet; XCB_ATOM_NONE on failure.
xcb_atom_t InternAtom(xcb_connection_t* connection, std::string_view name);

// The screen that $DISPLAY names, which is the one Qt opened; nullptr when there is none.
xcb_screen_t* DefaultScreen(xcb_connection_t* connection);
int DefaultScreenNumber();

// Qt's own connection, so that the events we ask for arrive in Qt's event loop. Throws when the
// application does not run on the xcb platform.
xcb_connection_t* QtXcbConnection();

}  // namespace tarvex::qt
