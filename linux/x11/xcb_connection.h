// A connection to the X server: opened on $DISPLAY and closed with us, or borrowed from whoever
// already holds one (the Qt edition may share Qt's) and left open.
#pragma once

#include <xcb/xcb.h>

#include <string>

#include "linux/x11/reply.h"

namespace tarvex::x11 {

class XcbConnection {
 public:
  // Opens the display named by $DISPLAY; throws std::runtime_error when that fails.
  XcbConnection();
  // True when the X server named `display` (the $DISPLAY form; null for $DISPLAY) takes a
  // connection. Asked before the toolkit starts, which aborts when it cannot open its display.
  static bool Answers(const char* display);
  // Uses `borrowed` without owning it; `screen` is the number of the screen to work on.
  XcbConnection(xcb_connection_t* borrowed, int screen);
  ~XcbConnection();
  XcbConnection(const XcbConnection&) = delete;
  XcbConnection& operator=(const XcbConnection&) = delete;

  xcb_connection_t* get() const { return connection_; }
  xcb_window_t Root() const { return root_; }
  // Nobody reads the events of a connection of our own, yet the server sends some to every
  // client (MappingNotify): drop what has been queued so that it cannot pile up. A borrowed
  // connection's owner reads its events; they are left alone.
  void DropQueuedEvents();
  // The next event the server has sent, queued or waiting to be read, for a connection of our
  // own that selected some; none for a borrowed connection, whose owner reads them.
  Reply<xcb_generic_event_t> NextEvent();
  bool OwnsEvents() const { return owned_; }
  // False once the server has gone or the connection broke; every request then fails quietly.
  bool Works() const { return xcb_connection_has_error(connection_) == 0; }

 private:
  void FindRoot(int screen);

  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = XCB_WINDOW_NONE;
  bool owned_ = false;
};

}  // namespace tarvex::x11
