// The whole program for one run: the desktop's real services, the dialogs, the tray icon, the
// hot key and the main window, wired together. main() only adds the QApplication and the loop;
// a test builds one of these inside its own application.
#pragma once

#include <QSocketNotifier>
#include <chrono>
#include <functional>
#include <memory>

#include "linux/dialogs/qt_ignore_list_dialog.h"
#include "linux/dialogs/qt_input_box.h"
#include "linux/dialogs/qt_options_dialog.h"
#include "linux/qt/main_window.h"
#include "linux/settings/posix_profile_store.h"
#include "linux/settings/settings_location.h"
#include "linux/tray/qt_tray_shell.h"
#include "linux/tray/x11_hot_keys.h"
#include "linux/x11/frame_watch.h"
#include "linux/x11/no_icon_source.h"
#include "linux/x11/proc_tool_help_library.h"
#include "linux/x11/x11_window_system.h"
#include "linux/x11/xcb_connection.h"

namespace tarvex::qt {

class Program {
 public:
  // Connects to the display and reads where the settings live (fixed for the whole run: a later
  // change of the environment has no effect). The window stays hidden until ShowFirst. The
  // boxes are the program's, its error box among them, which every failure of its handlers
  // reaches. Throws when the display cannot be had.
  explicit Program(MessageBoxes& boxes);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Shows the window for the first time, placed by its outer frame; `onClosed` runs when it has
  // closed for good.
  void ShowFirst(std::function<void()> onClosed);

  // How long the first show waits for the window manager to tell the frame it will draw; a
  // manager that answers later has the window placed again when its answer comes.
  static constexpr std::chrono::milliseconds kFrameAnswerWait{200};

  MainWindow& Window() { return window_; }
  QtTrayShell& TrayShell() { return trayShell_; }

 private:
  // Where the failures of the handlers outside the main window go (the tray, the hot key, the
  // dialogs): the same error box as the window's own.
  FailureSink failures_;
  posix::SettingsLocation settingsLocation_;
  posix::PosixProfileStore settings_;
  x11::XcbConnection connection_;
  x11::X11WindowSystem windows_;
  // The window system's own connection, read as its events arrive: between two refreshes a
  // client may change its windows thousands of times, and unread reports pile up in the server.
  QSocketNotifier x11Events_;
  x11::ProcToolHelpLibrary toolHelp_;
  x11::NoIconSource icons_;
  // The dialogs are the window's ports, so they come first; the window becomes their parent as
  // soon as it stands.
  QtIgnoreListDialog ignoreListDialog_;
  QtInputBox inputBox_{nullptr};
  QtOptionsDialog optionsDialog_{nullptr};
  QtTrayShell trayShell_;
  // Null while the window is not yet built or already going: a key pressed then does nothing.
  MainWindow* hotKeyTarget_ = nullptr;
  X11HotKeys hotKeys_;
  MainWindow window_;
  // The window's frame, watched from its first show on.
  std::unique_ptr<x11::FrameWatch> frame_;
  std::unique_ptr<QSocketNotifier> frameReports_;
};

}  // namespace tarvex::qt
