// Where a failure goes that reached an event's edge (a window procedure, a timer, a dialog's
// step, the tray, the end of the session) and must go no further: the program's one policy for
// failures, ApplicationEvents1Exception below. Each edition has one guard that catches at its
// edges and hands what it caught to this sink.
#pragma once

#include <exception>

#include "services/ui_services.h"

namespace tarvex {

class FailureSink {
 public:
  // The failures go to these boxes, which must outlive the sink and all its copies.
  explicit FailureSink(MessageBoxes& boxes) noexcept : boxes_(&boxes) {}

  // Shows the failure's message exactly as it stands in a box captioned "Error"; a silent abort
  // shows nothing. Nothing is logged and the program goes on: the failed operation is simply
  // abandoned. A failure of the box itself is not noticed.
  void ApplicationEvents1Exception(std::exception_ptr failure) const noexcept;

 private:
  MessageBoxes* boxes_;
};

}  // namespace tarvex
