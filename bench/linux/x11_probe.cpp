#include "x11_probe.h"

#include <cstdlib>
#include <cstring>
#include <memory>
#include <stdexcept>

namespace tarvex::bench {
namespace {

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
using PropertyReply = std::unique_ptr<xcb_get_property_reply_t, FreeDeleter>;

PropertyReply Await(xcb_connection_t* c, xcb_get_property_cookie_t cookie) {
  xcb_generic_error_t* error = nullptr;
  PropertyReply reply(xcb_get_property_reply(c, cookie, &error));
  std::free(error);
  return reply;
}

std::vector<std::uint32_t> Values32(const PropertyReply& reply) {
  if (!reply || reply->format != 32) return {};
  const auto* values = static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
  return {values, values + reply->value_len};
}

constexpr std::uint32_t kNormalState = 1;

}  // namespace

X11Probe::X11Probe() {
  connection_ = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(connection_) != 0) {
    xcb_disconnect(connection_);
    throw std::runtime_error("cannot open the X display");
  }
  root_ = xcb_setup_roots_iterator(xcb_get_setup(connection_)).data->root;
  stacking_ = Intern("_NET_CLIENT_LIST_STACKING");
  netWmName_ = Intern("_NET_WM_NAME");
  utf8_ = Intern("UTF8_STRING");
  netWmPid_ = Intern("_NET_WM_PID");
  wmState_ = Intern("WM_STATE");
  closeWindow_ = Intern("_NET_CLOSE_WINDOW");
}

X11Probe::~X11Probe() { xcb_disconnect(connection_); }

xcb_atom_t X11Probe::Intern(const char* name) {
  const std::unique_ptr<xcb_intern_atom_reply_t, FreeDeleter> reply(xcb_intern_atom_reply(
      connection_,
      xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
      nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

std::vector<xcb_window_t> X11Probe::Clients() {
  auto bottomUp = Values32(Await(connection_, xcb_get_property(connection_, 0, root_, stacking_,
                                                               XCB_ATOM_WINDOW, 0, 1u << 16)));
  return {bottomUp.rbegin(), bottomUp.rend()};
}

std::size_t X11Probe::CaptionBytes() {
  const std::vector<xcb_window_t> clients = Clients();
  std::vector<xcb_get_property_cookie_t> cookies;
  cookies.reserve(clients.size());
  for (const xcb_window_t window : clients) {
    cookies.push_back(xcb_get_property(connection_, 0, window, netWmName_, utf8_, 0, 256));
  }
  std::size_t bytes = 0;
  for (const auto cookie : cookies) {
    const PropertyReply reply = Await(connection_, cookie);
    if (reply) bytes += static_cast<std::size_t>(xcb_get_property_value_length(reply.get()));
  }
  return bytes;
}

bool X11Probe::Shows(xcb_window_t window) {
  for (const xcb_window_t client : Clients()) {
    if (client == window) return InNormalState(window);
  }
  return false;
}

bool X11Probe::InNormalState(xcb_window_t window) {
  const auto state = Values32(
      Await(connection_, xcb_get_property(connection_, 0, window, wmState_, wmState_, 0, 2)));
  return !state.empty() && state[0] == kNormalState;
}

xcb_window_t X11Probe::ShownWindowOf(std::uint32_t processId, const std::string& caption) {
  for (const xcb_window_t window : Clients()) {
    const auto pid = Values32(Await(
        connection_, xcb_get_property(connection_, 0, window, netWmPid_, XCB_ATOM_CARDINAL, 0, 1)));
    if (pid.empty() || pid[0] != processId) continue;
    const PropertyReply name =
        Await(connection_, xcb_get_property(connection_, 0, window, netWmName_, utf8_, 0, 256));
    if (!name || std::string(static_cast<const char*>(xcb_get_property_value(name.get())),
                             static_cast<std::size_t>(xcb_get_property_value_length(name.get()))) !=
                     caption) {
      continue;
    }
    if (InNormalState(window)) return window;
  }
  return XCB_WINDOW_NONE;
}

void X11Probe::Close(xcb_window_t window) {
  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = window;
  event.type = closeWindow_;
  event.data.data32[1] = 2;  // from a pager
  xcb_send_event(connection_, 0, root_,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&event));
  xcb_flush(connection_);
}

}  // namespace tarvex::bench
