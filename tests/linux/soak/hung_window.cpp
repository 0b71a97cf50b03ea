// hung_window: an application that stops answering. Opens one top-level window ("Hung window")
// that takes WM_DELETE_WINDOW, prints "ready" once the server has it, and from then on never
// reads another X event: it sleeps until it is killed.
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

xcb_atom_t Intern(xcb_connection_t* c, const char* name) {
  xcb_intern_atom_reply_t* reply = xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr);
  const xcb_atom_t atom = reply != nullptr ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  std::free(reply);
  return atom;
}

}  // namespace

int main() {
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c) != 0) return 2;
  const xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const xcb_window_t window = xcb_generate_id(c);
  // Every event the window can be sent piles up unread in the server.
  const std::uint32_t values[] = {XCB_EVENT_MASK_EXPOSURE | XCB_EVENT_MASK_STRUCTURE_NOTIFY |
                                  XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_FOCUS_CHANGE};
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, 100, 100, 300, 120, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, screen->root_visual, XCB_CW_EVENT_MASK, values);
  const std::string caption = "Hung window";
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, Intern(c, "_NET_WM_NAME"),
                      Intern(c, "UTF8_STRING"), 8, static_cast<std::uint32_t>(caption.size()),
                      caption.data());
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                      static_cast<std::uint32_t>(caption.size()), caption.data());
  const std::uint32_t pid = static_cast<std::uint32_t>(getpid());
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, Intern(c, "_NET_WM_PID"), XCB_ATOM_CARDINAL,
                      32, 1, &pid);
  // Also the manager's ping: a client that takes it and never answers looks hung to it.
  const xcb_atom_t protocols[] = {Intern(c, "WM_DELETE_WINDOW"), Intern(c, "_NET_WM_PING")};
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, Intern(c, "WM_PROTOCOLS"), XCB_ATOM_ATOM,
                      32, 2, protocols);
  xcb_map_window(c, window);
  std::free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
  std::printf("ready\n");
  std::fflush(stdout);
  for (;;) pause();
}
