// The frame the window manager puts around one window of ours (_NET_FRAME_EXTENTS), read on a
// connection of its own so that its reports never mix with another part's events.
//
// Before the window is first mapped the manager is asked for the frame it will give it
// (_NET_REQUEST_FRAME_EXTENTS), so that the window can be placed by its outer frame at once. A
// manager that does not offer the request, or is slow to answer, leaves the frame at 0 for the
// moment; its report is read when it comes, like every later change of the frame.
#pragma once

#include <xcb/xcb.h>

#include <chrono>
#include <optional>

#include "app/window_frame.h"
#include "linux/x11/atoms.h"
#include "linux/x11/reply.h"
#include "linux/x11/xcb_connection.h"

namespace tarvex::x11 {

// The frame a _NET_FRAME_EXTENTS reply gives; none when the property is absent or is not four
// cardinals of a size a screen can have.
std::optional<FrameExtents> DecodeFrameExtents(const PropertyReply& reply);

class FrameWatch {
 public:
  // Opens a connection of its own to $DISPLAY (throws when it cannot) and starts watching.
  explicit FrameWatch(xcb_window_t window);

  // Asks for the frame the window will get when it is mapped, waiting at most `wait` for the
  // answer; at once the frame it has when the manager does not take the request (no manager).
  FrameExtents AskBeforeMap(std::chrono::milliseconds wait);
  // The descriptor that becomes readable when the server has reported something.
  int Descriptor() const { return xcb_get_file_descriptor(connection_.get()); }
  // False once the server has gone: the descriptor then stays readable for good.
  bool Works() const { return connection_.Works(); }
  // Reads every report that has arrived; the frame when it changed. A frame that the manager
  // takes away (when the window is withdrawn) stays as it was: it comes back as it was.
  std::optional<FrameExtents> ReadReports();

 private:
  bool ManagerTakesRequest();
  // Handles one event; true when it changed the frame.
  bool Handle(const xcb_generic_event_t& event);
  FrameExtents ReadFrame() const;

  XcbConnection connection_;
  const Atoms atoms_;
  const xcb_window_t window_;
  FrameExtents frame_;
};

}  // namespace tarvex::x11
