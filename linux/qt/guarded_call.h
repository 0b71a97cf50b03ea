// The Linux edition's one guard, at every edge where a failure could unwind through Qt's event
// delivery or the X11 events the edition reads itself (slots, event handlers, timers, dialogs,
// the tray, the hot key, the end of the session, the program's start): the failure goes to the
// failure sink, and the event loop goes on.
#pragma once

#include <exception>
#include <utility>

#include "services/failure_sink.h"

namespace tarvex::qt {

// Runs the function; returns whether it ran to its end, and false when it failed.
template <typename Function>
bool RunGuarded(const FailureSink& failures, Function&& function) noexcept {
  try {
    std::forward<Function>(function)();
    return true;
  } catch (...) {
    failures.ApplicationEvents1Exception(std::current_exception());
    return false;
  }
}

}  // namespace tarvex::qt
