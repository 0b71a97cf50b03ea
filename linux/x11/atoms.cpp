#include "linux/x11/atoms.h"

#include <array>
#include <cstring>

#include "linux/x11/reply.h"

namespace tarvex::x11 {
namespace {

#define TARVEX_X11_ATOM_NAME(name) #name,
constexpr const char* kNames[] = {TARVEX_X11_ATOMS(TARVEX_X11_ATOM_NAME)};
#undef TARVEX_X11_ATOM_NAME

constexpr std::size_t kCount = sizeof(kNames) / sizeof(kNames[0]);

}  // namespace

Atoms InternAtoms(xcb_connection_t* connection) {
  std::array<xcb_intern_atom_cookie_t, kCount> cookies{};
  for (std::size_t i = 0; i < kCount; ++i) {
    cookies[i] = xcb_intern_atom(connection, 0, static_cast<std::uint16_t>(std::strlen(kNames[i])),
                                 kNames[i]);
  }
  std::array<xcb_atom_t, kCount> values{};
  for (std::size_t i = 0; i < kCount; ++i) {
    const auto reply =
        Await<xcb_intern_atom_reply_t>(connection, cookies[i], xcb_intern_atom_reply);
    values[i] = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  }
  Atoms atoms;
  std::size_t next = 0;
#define TARVEX_X11_ATOM_ASSIGN(name) atoms.name = values[next++];
  TARVEX_X11_ATOMS(TARVEX_X11_ATOM_ASSIGN)
#undef TARVEX_X11_ATOM_ASSIGN
  return atoms;
}

}  // namespace tarvex::x11
