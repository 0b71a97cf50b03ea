// The notification area, the global hot keys and the application window, simulated.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "tray/application_window.h"
#include "tray/hot_key.h"
#include "tray/tray_icon.h"
#include "tray/tray_shell.h"

namespace tarvex::sim {

class FakeTrayShell final : public TrayShell {
 public:
  IconHandle ProgramIcon() override { return programIcon; }
  bool NotifyIcon(NotifyIconOperation operation, const NotifyIconRecord& record) override {
    calls.push_back({operation, record});
    if (operation == NotifyIconOperation::kAdd) {
      if (refuseAdd) return false;
      shown = !embedsLater;
    }
    if (operation == NotifyIconOperation::kDelete) shown = false;
    return true;
  }
  bool IconShown() override { return shown; }
  void CancelMode() override { steps.push_back("cancel mode"); }
  void ForegroundTrayWindow() override { steps.push_back("foreground"); }
  int PopupMenu(int x, int y) override {
    steps.push_back("popup " + std::to_string(x) + "," + std::to_string(y));
    return chosen;
  }
  // The tray takes in the icon it was asked to dock, as an X11 tray does some time after the add.
  void TrayEmbeds(TTrayIcon& icon) {
    shown = true;
    icon.ShellShowedIcon();
  }
  std::vector<NotifyIconOperation> Operations() const {
    std::vector<NotifyIconOperation> operations;
    for (const auto& call : calls) operations.push_back(call.first);
    return operations;
  }

  IconHandle programIcon = 0x77;
  std::vector<std::pair<NotifyIconOperation, NotifyIconRecord>> calls;
  std::vector<std::string> steps;
  bool refuseAdd = false;
  bool embedsLater = false;  // an added icon shows only once TrayEmbeds runs
  bool shown = false;        // an icon stands in the notification area
  int chosen = -1;
};

class RecordingHotKeys final : public HotKeys {
 public:
  void Register(int id, int functionKey) override {
    calls.push_back("register " + std::to_string(id) + " F" + std::to_string(functionKey));
  }
  void Unregister(int id) override { calls.push_back("unregister " + std::to_string(id)); }
  std::vector<std::string> calls;
};

// The application window as the system treats it: minimizing it hides the main window it owns
// and raises the minimized notification; restoring it from the taskbar raises the restored one;
// the program's own requests raise none.
class SimApplicationWindow final : public ApplicationWindow {
 public:
  void ShowNormal() override {
    visible = true;
    minimized = false;
  }
  void Hide() override { visible = false; }
  void Minimize() override { UserMinimizes(); }
  void BringToForeground() override { ++broughtToFront; }
  void HideOpenBoxes() override {
    hiddenBoxes += openBoxes;
    openBoxes = 0;
  }
  void ShowHiddenBoxes() override {
    openBoxes += hiddenBoxes;
    hiddenBoxes = 0;
  }

  void UserMinimizes() {
    if (minimized) return;
    minimized = true;
    if (onMinimized) onMinimized();
  }
  void UserRestoresFromTaskbar() {
    if (!visible || !minimized) return;  // no taskbar button, or nothing to restore
    minimized = false;
    if (onRestored) onRestored();
  }
  bool MainWindowVisible() const { return visible && !minimized; }

  bool visible = true;
  bool minimized = false;
  int broughtToFront = 0;
  int openBoxes = 0;    // boxes and dialogs of the program in sight
  int hiddenBoxes = 0;  // taken out of sight with the program
  std::function<void()> onMinimized, onRestored;
};

}  // namespace tarvex::sim
