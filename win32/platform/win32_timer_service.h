// Timers that the UI thread's message loop drives: WM_TIMER messages of a hidden message-only
// window, dispatched to the timer whose id they carry.
#pragma once

#include "win32/support/windows_api.h"

#include <map>

#include "win32/support/unique_handle.h"
#include "services/ui_services.h"

namespace tarvex::win32 {

class Win32Timer;

class Win32TimerService final : public TimerService {
 public:
  Win32TimerService();
  // Every timer it created must be gone first.
  ~Win32TimerService() override;
  Win32TimerService(const Win32TimerService&) = delete;
  Win32TimerService& operator=(const Win32TimerService&) = delete;

  std::unique_ptr<Timer> CreateTimer(std::function<void()> onTimer) override;

 private:
  friend class Win32Timer;
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  void Fire(UINT_PTR id);

  UniqueWindow window_;
  UINT_PTR nextId_ = 1;
  std::map<UINT_PTR, Win32Timer*> timers_;
};

}  // namespace tarvex::win32
