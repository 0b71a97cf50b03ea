// Waits for the window manager to catch up with a change a client made, so that the next
// refresh sees a settled desktop.
#pragma once

#include <xcb/xcb.h>

#include <chrono>

namespace tarvex::soak {

// Whether the manager lists `window` and shows it in the normal state, as seen from `connection`.
bool ManagerShows(xcb_connection_t* connection, xcb_window_t window);
// Polls until ManagerShows(window) equals `shown`; false when the time ran out.
bool WaitForManager(xcb_connection_t* connection, xcb_window_t window, bool shown,
                    std::chrono::milliseconds within = std::chrono::seconds(5));

}  // namespace tarvex::soak
