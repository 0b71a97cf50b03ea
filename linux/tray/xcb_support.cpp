#include "linux/tray/xcb_support.h"

#include <QGuiApplication>

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace tarvex::qt {

xcb_atom_t InternAtom(xcb_connection_t* connection, std::string_view name) {
  const x11::Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      connection,
      xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(name.size()), name.data()),
      nullptr));
  return reply ? reply->atom : static_cast<xcb_atom_t>(XCB_ATOM_NONE);
}

int DefaultScreenNumber() {
  char* host = nullptr;
  int display = 0;
  int screen = 0;
  if (xcb_parse_display(nullptr, &host, &display, &screen) == 0) return 0;
  std::free(host);
  return screen;
}

xcb_screen_t* DefaultScreen(xcb_connection_t* connection) {
  int number = DefaultScreenNumber();
  for (auto roots = xcb_setup_roots_iterator(xcb_get_setup(connection)); roots.rem != 0;
       xcb_screen_next(&roots), --number) {
    if (number == 0) return roots.data;
  }
  return nullptr;
}

xcb_connection_t* QtXcbConnection() {
  const auto* x11 =
      qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (x11 == nullptr || x11->connection() == nullptr) {
    throw std::runtime_error("The program needs an X11 display");
  }
  return x11->connection();
}

}  // namespace tarvex::qt
