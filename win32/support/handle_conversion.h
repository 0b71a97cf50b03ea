// The core keeps window and icon handles as 32-bit values. They are 32-bit significant on every
// Windows, and a 64-bit build widens them again with sign extension, as the system does.
#pragma once

#include "win32/support/windows_api.h"

#include <cstdint>

#include "winlist/icon_source.h"
#include "winlist/window_system.h"

namespace tarvex::win32 {

template <typename Handle>
Handle WidenHandle(std::uint32_t value) {
  return reinterpret_cast<Handle>(static_cast<std::intptr_t>(static_cast<std::int32_t>(value)));
}

template <typename Handle>
std::uint32_t NarrowHandle(Handle handle) {
  return static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(handle));
}

inline HWND ToHwnd(WinHandle window) { return WidenHandle<HWND>(window); }
inline WinHandle FromHwnd(HWND window) { return NarrowHandle(window); }
inline HICON ToHicon(IconHandle icon) { return WidenHandle<HICON>(icon); }
inline IconHandle FromHicon(HICON icon) { return NarrowHandle(icon); }

}  // namespace tarvex::win32
