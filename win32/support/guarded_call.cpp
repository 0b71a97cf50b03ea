#include "win32/support/guarded_call.h"

#include "win32/platform/win32_message_boxes.h"

namespace tarvex::win32 {

const FailureSink& ProgramFailureSink() noexcept {
  // The boxes keep no state of their own: their owner is the program's.
  static Win32MessageBoxes boxes;
  static const FailureSink sink(boxes);
  return sink;
}

}  // namespace tarvex::win32
