#include "linux/qt/qt_timer_service.h"

#include <QTimer>

#include "linux/qt/guarded_call.h"

namespace tarvex::qt {
namespace {

class QtTimer final : public Timer {
 public:
  QtTimer(MessageBoxes& boxes, std::function<void()> onTimer) : onTimer_(std::move(onTimer)) {
    QObject::connect(&timer_, &QTimer::timeout, [this, &boxes] { RunGuarded(boxes, onTimer_); });
  }

  void SetEnabled(bool enabled) override {
    enabled_ = enabled;
    Arm();
  }
  void SetInterval(int milliseconds) override {
    interval_ = milliseconds;
    Arm();
  }

 private:
  // Starting a running timer again restarts its period.
  void Arm() {
    if (enabled_ && interval_ > 0) {
      timer_.start(interval_);
    } else {
      timer_.stop();
    }
  }

  std::function<void()> onTimer_;
  QTimer timer_;
  bool enabled_ = false;
  int interval_ = 0;
};

}  // namespace

std::unique_ptr<Timer> QtTimerService::CreateTimer(std::function<void()> onTimer) {
  return std::make_unique<QtTimer>(boxes_, std::move(onTimer));
}

}  // namespace tarvex::qt
