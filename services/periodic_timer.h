// A timer's switch and period as every toolkit keeps them: it runs while it is switched on with
// a period above 0, and setting either starts a new full period. Each edition only starts and
// stops its toolkit's timer.
#pragma once

#include "services/ui_services.h"

namespace tarvex {

class PeriodicTimer : public Timer {
 public:
  void SetEnabled(bool enabled) final {
    enabled_ = enabled;
    Apply();
  }
  void SetInterval(int milliseconds) final {
    interval_ = milliseconds;
    Apply();
  }

 protected:
  // Starts the toolkit's timer for a full period, also when it runs already, or stops it. Neither
  // may fail: timers are switched on again from cleanup paths.
  virtual void Start(int milliseconds) noexcept = 0;
  virtual void Stop() noexcept = 0;

 private:
  void Apply() noexcept {
    if (enabled_ && interval_ > 0) {
      Start(interval_);
    } else {
      Stop();
    }
  }

  bool enabled_ = false;
  int interval_ = 0;
};

}  // namespace tarvex
