// The one boundary every failure stops at before it could unwind through Qt's event delivery
// (slots, event handlers, timers): it is shown in the error box, and the event loop goes on.
#pragma once

#include <exception>
#include <utility>

#include "app/error_box.h"

namespace tarvex::qt {

template <typename Function>
void RunGuarded(MessageBoxes& boxes, Function&& function) noexcept {
  try {
    std::forward<Function>(function)();
  } catch (...) {
    ApplicationEvents1Exception(boxes, std::current_exception());
  }
}

}  // namespace tarvex::qt
