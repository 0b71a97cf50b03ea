// The application window: a top-level window of zero size that carries the program's only
// taskbar button and owns the main window. Minimizing the program minimizes it and hides the
// main window; restoring it from the taskbar shows the main window again.
#pragma once

#include "win32/support/bound_window_proc.h"
#include "win32/support/windows_api.h"

#include <functional>
#include <string>
#include <vector>

#include "tray/application_window.h"
#include "win32/support/unique_handle.h"

namespace tarvex::win32 {

class Win32ApplicationWindow final : public ApplicationWindow {
 public:
  struct Events {
    std::function<void()> minimized;
    std::function<void()> restored;  // from the taskbar only, not on the program's own request
  };

  // Created hidden, before the main window it is to own.
  Win32ApplicationWindow();
  Win32ApplicationWindow(const Win32ApplicationWindow&) = delete;
  Win32ApplicationWindow& operator=(const Win32ApplicationWindow&) = delete;

  HWND Handle() const { return window_.get(); }
  void SetMainWindow(HWND mainWindow) {
    main_ = mainWindow;
    mainHidden_ = !::IsWindowVisible(mainWindow);
  }
  void SetEvents(Events events) { events_ = std::move(events); }
  // The taskbar button appears with the main window.
  void Show();
  // The minimize the main window hands over; nothing when the program is minimized already.
  void Minimize() override;

  void ShowNormal() override;
  void Hide() override;
  void BringToForeground() override;
  void HideOpenBoxes() override;
  void ShowHiddenBoxes() override;

 private:
  template <typename Owner>
  friend LRESULT CALLBACK BoundWindowProc(HWND, UINT, WPARAM, LPARAM);
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void RestoreFromTaskbar();
  void ShowMainWindow();
  void PassFocusOn();

  UniqueWindow window_;
  HWND main_ = nullptr;
  // Hidden by a minimize, to be shown again by a restore. A main window not yet shown counts as
  // hidden: after a minimized start the first restore shows it.
  bool mainHidden_ = false;
  Events events_;
  // The boxes and dialogs HideOpenBoxes took out of sight, topmost first.
  std::vector<HWND> hiddenBoxes_;
};

}  // namespace tarvex::win32
