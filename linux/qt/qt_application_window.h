// The program's presence on the desktop. On X11 no hidden window carries the taskbar entry:
// the main window carries it itself, so hiding the program hides the main window.
#pragma once

#include <QPointer>
#include <QWidget>
#include <functional>
#include <vector>

#include "tray/application_window.h"

namespace tarvex::qt {

struct ApplicationEvents {
  std::function<void()> minimized;
  std::function<void()> restored;
};

class QtApplicationWindow final : public ApplicationWindow {
 public:
  explicit QtApplicationWindow(QWidget& window) : window_(window) {}

  void SetEvents(ApplicationEvents events) { events_ = std::move(events); }
  // The window's state changed from `old`: the user (or the window manager) minimized or
  // restored it. The program's own requests raise no notification.
  void WindowStateChanged(Qt::WindowStates old);

  void ShowNormal() override;
  void Hide() override;
  // The window manager's answer comes back as a state change, which tells the core.
  void Minimize() override;
  void BringToForeground() override;
  // A modal dialog that Qt hides ends its modal loop, as a cancel does: the boxes are minimized
  // instead, the window manager's way of taking a window out of sight and keeping it.
  void HideOpenBoxes() override;
  void ShowHiddenBoxes() override;
  // The box or dialog open over the window, if any, comes above it and takes the keyboard, as a
  // box the window owns does on Windows.
  void ActivateOpenBox();

 private:
  QWidget& window_;
  ApplicationEvents events_;
  bool ownChange_ = false;
  // The boxes HideOpenBoxes minimized; a box that has closed since is null.
  std::vector<QPointer<QWidget>> hiddenBoxes_;
};

}  // namespace tarvex::qt
