// The few xcb requests the benchmarks' own X clients share: interning an atom and setting a text
// property, with replies freed as xcb wants.
#pragma once

#include <xcb/xcb.h>

#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>

namespace tarvex::bench {

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};

inline xcb_atom_t Intern(xcb_connection_t* c, const char* name) {
  const std::unique_ptr<xcb_intern_atom_reply_t, FreeDeleter> reply(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

inline void SetText(xcb_connection_t* c, xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                    const std::string& text) {
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, property, type, 8,
                      static_cast<std::uint32_t>(text.size()), text.data());
}

}  // namespace tarvex::bench
