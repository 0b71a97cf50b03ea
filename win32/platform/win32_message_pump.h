// Handles the messages waiting for the calling thread.
#pragma once

#include "services/ui_services.h"

namespace tarvex::win32 {

class Win32MessagePump final : public MessagePump {
 public:
  void ProcessMessages() override;
};

}  // namespace tarvex::win32
