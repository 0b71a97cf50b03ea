// Replies and errors that xcb hands over are malloc'ed: they are freed with free(), never delete.
#pragma once

#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

namespace tarvex::x11 {

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};

template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

// Waits for the reply of `cookie`; an error (a window that is gone, say) yields no reply and is
// freed here, so that it never reaches the event queue.
template <typename T, typename Cookie, typename Wait>
Reply<T> Await(xcb_connection_t* connection, Cookie cookie, Wait wait) {
  xcb_generic_error_t* error = nullptr;
  Reply<T> reply(wait(connection, cookie, &error));
  const Reply<xcb_generic_error_t> failure(error);
  return reply;
}

// Every reply is 32 bytes and then its `length` in 32-bit units; xcb hands over exactly that.
inline constexpr std::size_t kReplyHeaderBytes = 32;

inline std::size_t ReplyBytes(const xcb_generic_reply_t& reply) {
  return kReplyHeaderBytes + std::size_t{reply.length} * 4;
}

using PropertyReply = Reply<xcb_get_property_reply_t>;

inline PropertyReply AwaitProperty(xcb_connection_t* connection, xcb_get_property_cookie_t cookie) {
  return Await<xcb_get_property_reply_t>(connection, cookie, xcb_get_property_reply);
}

// The bytes of a property's value. Its value_len is believed only as far as the reply's own
// length reaches: the two are separate fields of what the server sent.
inline std::size_t PropertyValueBytes(const xcb_get_property_reply_t& reply) {
  const std::uint64_t claimed = std::uint64_t{reply.value_len} * (reply.format / 8u);
  return static_cast<std::size_t>(
      std::min<std::uint64_t>(claimed, std::uint64_t{reply.length} * 4));
}

// The values of a 32-bit property (windows, atoms, cardinals); empty when it is absent.
inline std::span<const std::uint32_t> Values32(const PropertyReply& reply) {
  if (!reply || reply->format != 32) return {};
  return {static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get())),
          PropertyValueBytes(*reply) / 4};
}

// Whether a list of atoms holds `atom`; an atom the server could not intern is in no list.
inline bool Contains(std::span<const std::uint32_t> values, xcb_atom_t atom) {
  return atom != XCB_ATOM_NONE && std::find(values.begin(), values.end(), atom) != values.end();
}

}  // namespace tarvex::x11
