// Lets the events waiting for the UI thread run, as the commands do after each window.
#pragma once

#include "services/ui_services.h"

namespace tarvex::qt {

class QtMessagePump final : public MessagePump {
 public:
  void ProcessMessages() override;
};

}  // namespace tarvex::qt
