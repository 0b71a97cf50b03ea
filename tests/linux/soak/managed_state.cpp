#include "managed_state.h"

#include <algorithm>
#include <cstring>
#include <thread>

#include "linux/x11/reply.h"

namespace tarvex::soak {
namespace {

xcb_atom_t Intern(xcb_connection_t* c, const char* name) {
  const x11::Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 1, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

constexpr std::uint32_t kNormalState = 1;

}  // namespace

bool ManagerShows(xcb_connection_t* c, xcb_window_t window) {
  const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(c)).data->root;
  const xcb_atom_t clientList = Intern(c, "_NET_CLIENT_LIST");
  const xcb_atom_t wmState = Intern(c, "WM_STATE");
  const auto listed =
      x11::AwaitProperty(c, xcb_get_property(c, 0, root, clientList, XCB_ATOM_WINDOW, 0, 1u << 16));
  const auto clients = x11::Values32(listed);
  if (std::find(clients.begin(), clients.end(), window) == clients.end()) return false;
  const auto state = x11::AwaitProperty(c, xcb_get_property(c, 0, window, wmState, wmState, 0, 2));
  const auto values = x11::Values32(state);
  return !values.empty() && values[0] == kNormalState;
}

bool WaitForManager(xcb_connection_t* c, xcb_window_t window, bool shown,
                    std::chrono::milliseconds within) {
  const auto end = std::chrono::steady_clock::now() + within;
  while (ManagerShows(c, window) != shown) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::microseconds(200));
  }
  return true;
}

}  // namespace tarvex::soak
