#include "linux/x11/xcb_connection.h"

#include <cstdlib>
#include <stdexcept>

namespace tarvex::x11 {

XcbConnection::XcbConnection() : owned_(true) {
  int screen = 0;
  connection_ = xcb_connect(nullptr, &screen);
  if (xcb_connection_has_error(connection_) != 0) {
    // xcb hands out an error object even when the connection failed; it must still be freed.
    xcb_disconnect(connection_);
    throw std::runtime_error("Cannot open the X display");
  }
  FindRoot(screen);
}

bool XcbConnection::Answers(const char* display) {
  xcb_connection_t* probe = xcb_connect(display, nullptr);
  const bool works = xcb_connection_has_error(probe) == 0;
  xcb_disconnect(probe);
  return works;
}

XcbConnection::XcbConnection(xcb_connection_t* borrowed, int screen) : connection_(borrowed) {
  if (borrowed == nullptr || xcb_connection_has_error(borrowed) != 0) {
    throw std::runtime_error("The X connection is broken");
  }
  FindRoot(screen);
}

XcbConnection::~XcbConnection() {
  if (owned_) xcb_disconnect(connection_);
}

void XcbConnection::DropQueuedEvents() {
  if (!owned_) return;
  while (xcb_generic_event_t* event = xcb_poll_for_queued_event(connection_)) std::free(event);
}

Reply<xcb_generic_event_t> XcbConnection::NextEvent() {
  if (!owned_) return nullptr;
  return Reply<xcb_generic_event_t>(xcb_poll_for_event(connection_));
}

void XcbConnection::FindRoot(int screen) {
  xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection_));
  for (int i = 0; it.rem > 0; ++i, xcb_screen_next(&it)) {
    if (i == screen) {
      root_ = it.data->root;
      return;
    }
  }
  if (owned_) xcb_disconnect(connection_);
  throw std::runtime_error("The X display has no such screen");
}

}  // namespace tarvex::x11
