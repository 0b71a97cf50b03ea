// The window that carries the program's taskbar button and owns the main window: the system
// hides the main window while it is minimized and shows it again when it is restored.
#pragma once

namespace tarvex {

class ApplicationWindow {
 public:
  virtual ~ApplicationWindow() = default;
  // Shows it normally: the taskbar button comes back and a minimized program is restored,
  // without the application's own restored notification.
  virtual void ShowNormal() = 0;
  // Hides it, and with it the taskbar button.
  virtual void Hide() = 0;
  // Minimizes the program as the user's minimize does, with the application's minimized
  // notification.
  virtual void Minimize() = 0;
  virtual void BringToForeground() = 0;
  // Takes the program's open boxes and dialogs out of sight, their modal loops still running.
  virtual void HideOpenBoxes() = 0;
  // Shows again the boxes that HideOpenBoxes took out of sight, each in its place above the
  // window that opened it.
  virtual void ShowHiddenBoxes() = 0;
};

}  // namespace tarvex
