// Reads the facts of many windows with one round trip: every request of every window is sent
// before the first reply is awaited. A window that is gone answers with errors, which make an
// ordinary "does not exist" entry.
#pragma once

#include <xcb/xcb.h>

#include <span>
#include <vector>

#include "linux/x11/atoms.h"
#include "linux/x11/window_facts.h"

namespace tarvex::x11 {

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
