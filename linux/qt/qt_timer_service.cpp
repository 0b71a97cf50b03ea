#include "linux/qt/qt_timer_service.h"

#include <QTimer>

#include "linux/qt/guarded_call.h"
#include "services/periodic_timer.h"

namespace tarvex::qt {
namespace {

class QtTimer final : public PeriodicTimer {
 public:
  QtTimer(FailureSink failures, std::function<void()> onTimer) : onTimer_(std::move(onTimer)) {
    QObject::connect(&timer_, &QTimer::timeout,
                     [this, failures] { RunGuarded(failures, onTimer_); });
  }

 private:
  // Starting a running QTimer again restarts its period.
  void Start(int milliseconds) noexcept override { timer_.start(milliseconds); }
  void Stop() noexcept override { timer_.stop(); }

  std::function<void()> onTimer_;
  QTimer timer_;
};

}  // namespace

std::unique_ptr<Timer> QtTimerService::CreateTimer(std::function<void()> onTimer) {
  return std::make_unique<QtTimer>(failures_, std::move(onTimer));
}

}  // namespace tarvex::qt
