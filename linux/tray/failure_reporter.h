// Where a failure goes that would otherwise unwind through Qt's event loop: the program's error
// box.
#pragma once

#include <exception>
#include <functional>

namespace tarvex::qt {

using FailureReporter = std::function<void(std::exception_ptr failure)>;

// Runs the handler; a failure in it goes to the reporter instead of into Qt's frames.
template <typename Handler>
void RunReported(const FailureReporter& report, Handler&& handler) noexcept {
  try {
    std::forward<Handler>(handler)();
  } catch (...) {
    if (report) report(std::current_exception());
  }
}

}  // namespace tarvex::qt
