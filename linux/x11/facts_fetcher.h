// Reads the facts of many windows with one round trip: every request of every window is sent
// before the first reply is awaited. A window that is gone answers with errors, which make an
// ordinary "does not exist" entry.
#pragma once

#include <xcb/res.h>
#include <xcb/xcb.h>

#include <array>
#include <span>
#include <vector>

#include "linux/x11/atoms.h"
#include "linux/x11/reply.h"
#include "linux/x11/window_facts.h"

namespace tarvex::x11 {

// The properties asked for of every window, in the order of their replies.
enum Property : std::size_t {
  kNetWmName,
  kWmName,
  kWmClass,
  kTransientFor,
  kWindowType,
  kNetWmState,
  kAllowedActions,
  kNetWmPid,
  kWmStateProperty,
  kPropertyCount
};

// Every reply about one window; a missing one is an error or a request not sent.
struct WindowReplies {
  Reply<xcb_get_window_attributes_reply_t> attributes;
  std::array<PropertyReply, kPropertyCount> properties;
  Reply<xcb_res_query_client_ids_reply_t> clientIds;
};

// The window's facts from its replies, whatever the server or the window's client put in them.
WindowFacts DecodeFacts(const WindowReplies& replies, const Atoms& atoms, xcb_window_t root,
                        xcb_window_t window);

class FactsFetcher {
 public:
  // `clientIdsAvailable`: the server offers X-Resource 1.2, which tells a client's process id.
  FactsFetcher(xcb_connection_t* connection, const Atoms& atoms, xcb_window_t root,
               bool clientIdsAvailable)
      : connection_(connection), atoms_(atoms), root_(root), clientIds_(clientIdsAvailable) {}

  std::vector<WindowFacts> Fetch(std::span<const xcb_window_t> windows) const;

 private:
  struct Pending;
  Pending Send(xcb_window_t window) const;
  WindowFacts Collect(const Pending& pending) const;

  xcb_connection_t* connection_;
  const Atoms& atoms_;
  xcb_window_t root_;
  bool clientIds_;
};

// Whether `id` can name a window at all: X resource ids have 29 bits and 0 is None.
bool IsWindowId(std::uint32_t id);

}  // namespace tarvex::x11
