// The error box: every failure that reaches the event loop is shown in it, and the loop goes on.
#pragma once

#include <exception>

#include "services/ui_services.h"

namespace tarvex {

// Shows the failure's message exactly as it stands, captioned "Error"; a silent abort shows
// nothing. Call it from inside a catch block at the event loop's boundary.
void ApplicationEvents1Exception(MessageBoxes& boxes, std::exception_ptr failure) noexcept;

}  // namespace tarvex
