// A plain xcb client that looks at the desktop the way the least possible lister would: the
// window manager's client list and one caption property per window, every request sent before
// the first reply is awaited. It is the floor the enumerator's pass is measured against, and the
// benchmarks' eye on the desktop.
#pragma once

#include <xcb/xcb.h>

#include <cstddef>
#include <string>
#include <vector>

namespace tarvex::bench {

class X11Probe {
 public:
  // Opens $DISPLAY; throws std::runtime_error when that fails.
  X11Probe();
  ~X11Probe();
  X11Probe(const X11Probe&) = delete;
  X11Probe& operator=(const X11Probe&) = delete;

  // The manager's client list, front to back.
  std::vector<xcb_window_t> Clients();
  // One pass of the floor: the client list and every client's caption; the caption bytes read.
  std::size_t CaptionBytes();
  // Whether the manager lists the window now and shows it in the normal state.
  bool Shows(xcb_window_t window);
  // A listed window of the process with exactly this caption that the manager shows in the
  // normal state; none while there is no such window.
  xcb_window_t ShownWindowOf(std::uint32_t processId, const std::string& caption);
  // Asks the manager to close the window, as a pager would.
  void Close(xcb_window_t window);

 private:
  xcb_atom_t Intern(const char* name);
  bool InNormalState(xcb_window_t window);

  xcb_connection_t* connection_ = nullptr;
  xcb_window_t root_ = XCB_WINDOW_NONE;
  xcb_atom_t stacking_ = XCB_ATOM_NONE;
  xcb_atom_t netWmName_ = XCB_ATOM_NONE;
  xcb_atom_t utf8_ = XCB_ATOM_NONE;
  xcb_atom_t netWmPid_ = XCB_ATOM_NONE;
  xcb_atom_t wmState_ = XCB_ATOM_NONE;
  xcb_atom_t closeWindow_ = XCB_ATOM_NONE;
};

}  // namespace tarvex::bench
