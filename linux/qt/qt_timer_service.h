// Timers over QTimer; a failure in a timer's handler goes to the error box.
#pragma once

#include "services/ui_services.h"

namespace tarvex::qt {

class QtTimerService final : public TimerService {
 public:
  explicit QtTimerService(MessageBoxes& boxes) : boxes_(boxes) {}
  std::unique_ptr<Timer> CreateTimer(std::function<void()> onTimer) override;

 private:
  MessageBoxes& boxes_;
};

}  // namespace tarvex::qt
