// The system's message box, owned by the window that is active in this thread.
#pragma once

#include "winlist/ui_services.h"

namespace tarvex::win32 {

class Win32MessageBoxes final : public MessageBoxes {
 public:
  void Show(const std::string& text, const std::string& caption, unsigned flags) override;
};

}  // namespace tarvex::win32
