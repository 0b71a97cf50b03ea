// synthetic_desktop: a desktop of our own for the benchmarks and the long-running tests.
//
//   synthetic_desktop N
//
// Opens N real top-level windows with distinct captions ("Synthetic window 0000", ...) on the
// X display of $DISPLAY, in a fixed mix: every fifth is transient for the window before it,
// every seventh stays unmapped, every ninth is override-redirect, every fourth sets no
// _NET_WM_PID. Prints "ready" once the window manager lists every mapped managed window (at
// once without a manager), then keeps its windows until its standard input is closed.
#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <set>
#include <string>
#include <thread>
#include <vector>

#include "xcb_requests.h"

namespace {

using tarvex::bench::FreeDeleter;
using tarvex::bench::Intern;
using tarvex::bench::SetText;

struct Shape {
  bool transient;
  bool unmapped;
  bool overrideRedirect;
  bool withPid;
};

Shape ShapeOf(int index) {
  return {index % 5 == 4, index % 7 == 6, index % 9 == 8, index % 4 != 3};
}

void SetCardinal(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                 std::uint32_t value) {
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, property, type, 32, 1, &value);
}

// The windows of ours that the manager lists now.
std::size_t Listed(xcb_connection_t* c, xcb_window_t root, xcb_atom_t clientList,
                   const std::set<xcb_window_t>& ours) {
  const std::unique_ptr<xcb_get_property_reply_t, FreeDeleter> reply(xcb_get_property_reply(
      c, xcb_get_property(c, 0, root, clientList, XCB_ATOM_WINDOW, 0, 1u << 16), nullptr));
  if (!reply || reply->format != 32) return 0;
  const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
  std::size_t listed = 0;
  for (int i = 0; i < xcb_get_property_value_length(reply.get()) / 4; ++i) {
    listed += ours.count(ids[i]);
  }
  return listed;
}

bool ManagerRuns(xcb_connection_t* c, xcb_window_t root, xcb_atom_t check) {
  const std::unique_ptr<xcb_get_property_reply_t, FreeDeleter> reply(xcb_get_property_reply(
      c, xcb_get_property(c, 0, root, check, XCB_ATOM_WINDOW, 0, 1), nullptr));
  return reply && reply->format == 32 && reply->value_len == 1;
}

}  // namespace

int main(int argc, char** argv) {
  const int count = argc == 2 ? std::atoi(argv[1]) : -1;
  if (count < 0) {
    std::fprintf(stderr, "usage: synthetic_desktop N\n");
    return 2;
  }
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c) != 0) {
    std::fprintf(stderr, "synthetic_desktop: cannot open the display\n");
    return 2;
  }
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const xcb_atom_t netWmName = Intern(c, "_NET_WM_NAME");
  const xcb_atom_t utf8 = Intern(c, "UTF8_STRING");
  const xcb_atom_t netWmPid = Intern(c, "_NET_WM_PID");
  const xcb_atom_t clientList = Intern(c, "_NET_CLIENT_LIST");
  const xcb_atom_t wmCheck = Intern(c, "_NET_SUPPORTING_WM_CHECK");

  std::set<xcb_window_t> managed;  // mapped, not override-redirect: what the manager takes
  xcb_window_t previous = XCB_WINDOW_NONE;
  for (int i = 0; i < count; ++i) {
    const Shape shape = ShapeOf(i);
    const xcb_window_t window = xcb_generate_id(c);
    const std::uint32_t values[] = {screen->white_pixel, shape.overrideRedirect ? 1u : 0u};
    xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root,
                      static_cast<std::int16_t>(40 + (i % 40) * 20),
                      static_cast<std::int16_t>(40 + (i % 30) * 20), 200, 80, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_OVERRIDE_REDIRECT, values);
    char caption[64];
    std::snprintf(caption, sizeof(caption), "Synthetic window %04d", i);
    SetText(c, window, netWmName, utf8, caption);
    SetText(c, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, caption);
    SetText(c, window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING,
            std::string("synthetic\0Synthetic\0", 20));
    if (shape.withPid) {
      SetCardinal(c, window, netWmPid, XCB_ATOM_CARDINAL, static_cast<std::uint32_t>(getpid()));
    }
    if (shape.transient && previous != XCB_WINDOW_NONE) {
      SetCardinal(c, window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, previous);
    }
    if (!shape.unmapped) {
      xcb_map_window(c, window);
      if (!shape.overrideRedirect) managed.insert(window);
    }
    previous = window;
  }
  xcb_flush(c);

  if (ManagerRuns(c, screen->root, wmCheck)) {
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
    while (Listed(c, screen->root, clientList, managed) < managed.size()) {
      if (std::chrono::steady_clock::now() > deadline) {
        std::fprintf(stderr, "synthetic_desktop: the window manager did not take every window\n");
        return 3;
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(5));
    }
  }
  std::printf("ready\n");
  std::fflush(stdout);

  // Events are read and dropped so that the server never waits on us; closing standard input
  // (or losing the server) ends the program.
  pollfd watched[] = {{STDIN_FILENO, POLLIN, 0}, {xcb_get_file_descriptor(c), POLLIN, 0}};
  for (;;) {
    if (poll(watched, 2, -1) < 0) continue;
    if (watched[0].revents != 0) {
      char buffer[64];
      if (read(STDIN_FILENO, buffer, sizeof(buffer)) <= 0) break;
    }
    while (xcb_generic_event_t* event = xcb_poll_for_event(c)) std::free(event);
    if (xcb_connection_has_error(c) != 0) break;
  }
  xcb_disconnect(c);
  return 0;
}
