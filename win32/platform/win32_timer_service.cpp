#include "win32/platform/win32_timer_service.h"

#include <stdexcept>

#include "services/periodic_timer.h"
#include "win32/support/guarded_call.h"

namespace tarvex::win32 {

class Win32Timer final : public PeriodicTimer {
 public:
  Win32Timer(Win32TimerService& service, UINT_PTR id, std::function<void()> onTimer)
      : service_(service), id_(id), onTimer_(std::move(onTimer)) {
    service_.timers_[id_] = this;
  }
  ~Win32Timer() override {
    ::KillTimer(service_.window_.get(), id_);
    service_.timers_.erase(id_);
  }
  Win32Timer(const Win32Timer&) = delete;
  Win32Timer& operator=(const Win32Timer&) = delete;

  void Fire() { onTimer_(); }

 private:
  // Setting a running timer again restarts its period. It reports nothing: a system out of
  // timers leaves only the periodic refresh undone, which the next refresh of any kind tries to
  // arm again.
  void Start(int milliseconds) noexcept override {
    ::SetTimer(service_.window_.get(), id_, static_cast<UINT>(milliseconds), nullptr);
  }
  void Stop() noexcept override { ::KillTimer(service_.window_.get(), id_); }

  Win32TimerService& service_;
  const UINT_PTR id_;
  std::function<void()> onTimer_;
};

namespace {
constexpr const char* kTimerWindowClass = "TarvexTimerWindow";
}

Win32TimerService::Win32TimerService() {
  WNDCLASSEXA windowClass{};
  windowClass.cbSize = sizeof(windowClass);
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = ::GetModuleHandleA(nullptr);
  windowClass.lpszClassName = kTimerWindowClass;
  ::RegisterClassExA(&windowClass);  // a second service finds the class registered already
  window_.reset(::CreateWindowExA(0, kTimerWindowClass, "", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                  windowClass.hInstance, nullptr));
  if (!window_) throw std::runtime_error("Cannot create the timer window");
  ::SetWindowLongPtrA(window_.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

Win32TimerService::~Win32TimerService() = default;

std::unique_ptr<Timer> Win32TimerService::CreateTimer(std::function<void()> onTimer) {
  return std::make_unique<Win32Timer>(*this, nextId_++, std::move(onTimer));
}

void Win32TimerService::Fire(UINT_PTR id) {
  // A WM_TIMER of a timer that was freed meanwhile finds no one.
  const auto timer = timers_.find(id);
  if (timer != timers_.end()) timer->second->Fire();
}

LRESULT CALLBACK Win32TimerService::WindowProc(HWND window, UINT message, WPARAM wParam,
                                               LPARAM lParam) {
  if (message == WM_TIMER) {
    auto* service =
        reinterpret_cast<Win32TimerService*>(::GetWindowLongPtrA(window, GWLP_USERDATA));
    if (service != nullptr) RunGuarded([&] { service->Fire(static_cast<UINT_PTR>(wParam)); });
    return 0;
  }
  return ::DefWindowProcA(window, message, wParam, lParam);
}

}  // namespace tarvex::win32
