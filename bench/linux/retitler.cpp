// retitler: a client that retitles its one window as fast as it can.
//
//   retitler
//
// Opens a window captioned "Retitler 0", prints "ready" once the window manager lists it, then
// changes its _NET_WM_NAME in a loop until its standard input is closed, and prints the number
// of changes it made. Without a window manager it lists the window itself, as an EWMH manager
// would (check window and client list): then nobody but the lister under test watches it, and
// the X server's memory tells only what that lister leaves unread. (A real manager reads every
// change too; openbox falls behind and the server holds its backlog.)
#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <thread>

#include "xcb_requests.h"

namespace {

using tarvex::bench::FreeDeleter;
using tarvex::bench::Intern;
using tarvex::bench::SetText;

bool Listed(xcb_connection_t* c, xcb_window_t root, xcb_atom_t clientList, xcb_window_t window) {
  const std::unique_ptr<xcb_get_property_reply_t, FreeDeleter> reply(xcb_get_property_reply(
      c, xcb_get_property(c, 0, root, clientList, XCB_ATOM_WINDOW, 0, 1u << 16), nullptr));
  if (!reply || reply->format != 32) return false;
  const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(reply.get()));
  for (int i = 0; i < xcb_get_property_value_length(reply.get()) / 4; ++i) {
    if (ids[i] == window) return true;
  }
  return false;
}

bool ManagerRuns(xcb_connection_t* c, xcb_window_t root, xcb_atom_t check) {
  const std::unique_ptr<xcb_get_property_reply_t, FreeDeleter> reply(xcb_get_property_reply(
      c, xcb_get_property(c, 0, root, check, XCB_ATOM_WINDOW, 0, 1), nullptr));
  return reply && reply->format == 32 && reply->value_len == 1;
}

void ActAsManager(xcb_connection_t* c, const xcb_screen_t* screen, xcb_window_t window) {
  const xcb_atom_t check = Intern(c, "_NET_SUPPORTING_WM_CHECK");
  const xcb_window_t checkWindow = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, checkWindow, screen->root, 0, 0, 1, 1, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
  for (const xcb_window_t named : {checkWindow, screen->root}) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, named, check, XCB_ATOM_WINDOW, 32, 1,
                        &checkWindow);
  }
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, screen->root, Intern(c, "_NET_CLIENT_LIST"),
                      XCB_ATOM_WINDOW, 32, 1, &window);
}

bool InputClosed() {
  pollfd input{STDIN_FILENO, POLLIN, 0};
  if (poll(&input, 1, 0) <= 0) return false;
  char buffer[64];
  return read(STDIN_FILENO, buffer, sizeof(buffer)) <= 0;
}

}  // namespace

int main() {
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c) != 0) {
    std::fprintf(stderr, "retitler: cannot open the display\n");
    return 2;
  }
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const xcb_atom_t name = Intern(c, "_NET_WM_NAME");
  const xcb_atom_t utf8 = Intern(c, "UTF8_STRING");
  const xcb_atom_t clientList = Intern(c, "_NET_CLIENT_LIST");
  const xcb_window_t window = xcb_generate_id(c);
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 60, 60, 200, 80, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, 0, nullptr);
  SetText(c, window, name, utf8, "Retitler 0");
  xcb_map_window(c, window);
  if (!ManagerRuns(c, screen->root, Intern(c, "_NET_SUPPORTING_WM_CHECK"))) {
    ActAsManager(c, screen, window);
  }
  xcb_flush(c);
  const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
  while (!Listed(c, screen->root, clientList, window)) {
    if (std::chrono::steady_clock::now() > deadline) {
      std::fprintf(stderr, "retitler: the window manager did not take the window\n");
      return 3;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  std::printf("ready\n");
  std::fflush(stdout);

  unsigned long long changes = 0;
  for (;;) {
    for (int i = 0; i < 4096; ++i) {
      SetText(c, window, name, utf8, "Retitler " + std::to_string(++changes));
    }
    xcb_flush(c);
    // Nothing this client selected arrives, but what the server sends anyway must not pile up.
    while (xcb_generic_event_t* event = xcb_poll_for_event(c)) std::free(event);
    if (xcb_connection_has_error(c) != 0 || InputClosed()) break;
  }
  std::printf("changes %llu\n", changes);
  std::printf("done\n");
  std::fflush(stdout);
  xcb_disconnect(c);
  return 0;
}
