#include "win32/guarded_call.h"

#include "app/error_box.h"
#include "win32/win32_message_boxes.h"

namespace tarvex::win32 {

void ShowFailure(std::exception_ptr failure) noexcept {
  Win32MessageBoxes boxes;
  ApplicationEvents1Exception(boxes, std::move(failure));
}

}  // namespace tarvex::win32
