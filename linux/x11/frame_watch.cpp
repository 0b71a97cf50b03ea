#include "linux/x11/frame_watch.h"

#include <poll.h>

#include <cstdint>

namespace tarvex::x11 {
namespace {

// X11 sizes and positions are 16-bit: a wider side is no frame but a broken property.
constexpr std::uint32_t kWidestSide = 0x7FFF;

}  // namespace

std::optional<FrameExtents> DecodeFrameExtents(const PropertyReply& reply) {
  if (!reply || reply->type != XCB_ATOM_CARDINAL) return std::nullopt;
  const auto values = Values32(reply);
  if (values.size() != 4) return std::nullopt;
  for (const std::uint32_t side : values) {
    if (side > kWidestSide) return std::nullopt;
  }
  return FrameExtents{static_cast<int>(values[0]), static_cast<int>(values[1]),
                      static_cast<int>(values[2]), static_cast<int>(values[3])};
}

FrameWatch::FrameWatch(xcb_window_t window)
    : atoms_(InternAtoms(connection_.get())), window_(window) {
  const std::uint32_t events = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(connection_.get(), window_, XCB_CW_EVENT_MASK, &events);
  frame_ = ReadFrame();
}

FrameExtents FrameWatch::AskBeforeMap(std::chrono::milliseconds wait) {
  if (!ManagerTakesRequest()) return frame_;
  xcb_client_message_event_t request{};
  request.response_type = XCB_CLIENT_MESSAGE;
  request.format = 32;
  request.window = window_;
  request.type = atoms_._NET_REQUEST_FRAME_EXTENTS;
  xcb_connection_t* c = connection_.get();
  xcb_send_event(c, 0, connection_.Root(),
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&request));
  xcb_flush(c);
  using Clock = std::chrono::steady_clock;
  const Clock::time_point deadline = Clock::now() + wait;
  while (connection_.Works()) {
    while (const Reply<xcb_generic_event_t> event = connection_.NextEvent()) {
      if (Handle(*event)) return frame_;
    }
    const auto left =
        std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    pollfd readable{Descriptor(), POLLIN, 0};
    ::poll(&readable, 1, static_cast<int>(left));
  }
  return frame_;
}

std::optional<FrameExtents> FrameWatch::ReadReports() {
  bool changed = false;
  while (const Reply<xcb_generic_event_t> event = connection_.NextEvent()) {
    changed = Handle(*event) || changed;
  }
  if (!changed) return std::nullopt;
  return frame_;
}

bool FrameWatch::ManagerTakesRequest() {
  xcb_connection_t* c = connection_.get();
  const PropertyReply supported = AwaitProperty(
      c, xcb_get_property(c, 0, connection_.Root(), atoms_._NET_SUPPORTED, XCB_ATOM_ATOM, 0, 4096));
  return Contains(Values32(supported), atoms_._NET_REQUEST_FRAME_EXTENTS);
}

bool FrameWatch::Handle(const xcb_generic_event_t& event) {
  if ((event.response_type & 0x7F) != XCB_PROPERTY_NOTIFY) return false;
  const auto& notify = reinterpret_cast<const xcb_property_notify_event_t&>(event);
  if (notify.window != window_ || notify.atom != atoms_._NET_FRAME_EXTENTS ||
      notify.state != XCB_PROPERTY_NEW_VALUE) {
    return false;
  }
  const FrameExtents now = ReadFrame();
  if (now == frame_) return false;
  frame_ = now;
  return true;
}

FrameExtents FrameWatch::ReadFrame() const {
  xcb_connection_t* c = connection_.get();
  const PropertyReply reply = AwaitProperty(
      c, xcb_get_property(c, 0, window_, atoms_._NET_FRAME_EXTENTS, XCB_ATOM_CARDINAL, 0, 4));
  return DecodeFrameExtents(reply).value_or(frame_);
}

}  // namespace tarvex::x11
