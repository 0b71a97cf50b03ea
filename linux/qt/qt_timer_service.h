// Timers over QTimer; a failure in a timer's handler goes to the failure sink.
#pragma once

#include "services/failure_sink.h"
#include "services/ui_services.h"

namespace tarvex::qt {

class QtTimerService final : public TimerService {
 public:
  explicit QtTimerService(FailureSink failures) : failures_(failures) {}
  std::unique_ptr<Timer> CreateTimer(std::function<void()> onTimer) override;

 private:
  FailureSink failures_;
};

}  // namespace tarvex::qt
