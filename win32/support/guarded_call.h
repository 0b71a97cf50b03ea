// The Windows edition's one guard, at every edge where a failure could unwind through a system
// frame (window procedures, timers, dialogs, the tray, the end of the session, the program's
// start): the failure goes to the program's failure sink, the error box owned by the main window,
// and the event loop goes on.
#pragma once

#include <exception>
#include <utility>

#include "services/failure_sink.h"

namespace tarvex::win32 {

// The sink of every failure of the edition: the system's message box.
const FailureSink& ProgramFailureSink() noexcept;

// Runs the function; returns whether it ran to its end, and false when it failed.
template <typename Function>
bool RunGuarded(Function&& function) noexcept {
  try {
    std::forward<Function>(function)();
    return true;
  } catch (...) {
    ProgramFailureSink().ApplicationEvents1Exception(std::current_exception());
    return false;
  }
}

}  // namespace tarvex::win32
