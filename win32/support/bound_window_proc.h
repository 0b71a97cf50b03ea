// The window procedure of a window that one object handles. The object comes with the creation
// parameters and takes the window at WM_NCCREATE; it answers every message through
// HandleMessage, which returns whether it handled it; at WM_NCDESTROY, which it also sees, the
// system has destroyed the window and the object lets it go. No failure unwinds into the
// system's frames: it ends here, in the error box.
#pragma once

#include "win32/support/windows_api.h"

#include "win32/support/guarded_call.h"

namespace tarvex::win32 {

template <typename Owner>
LRESULT CALLBACK BoundWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* self = static_cast<Owner*>(reinterpret_cast<CREATESTRUCTA*>(lParam)->lpCreateParams);
    self->window_.reset(window);
    ::SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  }
  // Messages before WM_NCCREATE (a main window's first WM_GETMINMAXINFO) find no object yet.
  auto* self = reinterpret_cast<Owner*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
  if (self == nullptr) return ::DefWindowProcA(window, message, wParam, lParam);
  bool handled = false;
  LRESULT result = 0;
  RunGuarded([&] { handled = self->HandleMessage(message, wParam, lParam, result); });
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrA(window, GWLP_USERDATA, 0);
    self->window_.release();
  }
  return handled ? result : ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace tarvex::win32
