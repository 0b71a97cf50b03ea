// The one boundary every failure stops at before it could unwind through a system frame (window
// procedures, the message loop): it is shown in the error box, and the event loop goes on.
#pragma once

#include <exception>
#include <utility>

namespace tarvex::win32 {

// Hands the failure to the error box.
void ShowFailure(std::exception_ptr failure) noexcept;

template <typename Function>
void RunGuarded(Function&& function) noexcept {
  try {
    std::forward<Function>(function)();
  } catch (...) {
    ShowFailure(std::current_exception());
  }
}

}  // namespace tarvex::win32
