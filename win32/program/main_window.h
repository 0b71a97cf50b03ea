// The main window: tool bar, application list and status bar, driven by the core's TFormMain.
#pragma once

#include "win32/support/bound_window_proc.h"
#include "win32/support/windows_api.h"

#include <memory>
#include <utility>

#include "app/form_main.h"
#include "win32/views/dpi_scale.h"
#include "win32/views/list_view.h"
#include "win32/views/status_bar.h"
#include "win32/views/tool_bar.h"
#include "win32/support/unique_handle.h"
#include "win32/tray/win32_application_window.h"
#include "win32/views/win32_form_host.h"
#include "win32/tray/win32_hot_keys.h"
#include "win32/dialogs/win32_ignore_list_dialog.h"
#include "win32/dialogs/win32_options_dialog.h"
#include "win32/platform/win32_platform.h"
#include "win32/tray/win32_tray_shell.h"

namespace tarvex::win32 {

class MainWindow {
 public:
  // `shellCall` feeds the notification area: the shell's own unless a test watches it.
  explicit MainWindow(Win32TrayShell::ShellCall shellCall = Win32TrayShell::RealShellCall)
      : shellCall_(std::move(shellCall)) {}
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window, still hidden, with its controls and the form behind them.
  void Create();
  // The first show: the settings are applied and the list filled before the window appears;
  // a failure on the way is reported, and the window appears all the same.
  void ShowFirst(int showCommand);

  HWND Handle() const { return window_.get(); }
  Win32ApplicationWindow& Application() { return *application_; }
  Win32TrayShell& TrayShell() { return *trayShell_; }
  // The actions' keyboard shortcuts, only while this window is active and takes input; true
  // when the message was one and has been handled.
  bool TranslateShortcut(MSG& message);
  // Called each time the message queue has run empty: the actions' states, the tool bar and
  // the hint line catch up.
  void Idle();

  TFormMain& Form() { return *form_; }
  ToolBar& Tools() { return *toolBar_; }
  ListView& List() { return *listView_; }
  StatusBar& Status() { return *statusBar_; }

 private:
  template <typename Owner>
  friend LRESULT CALLBACK BoundWindowProc(HWND, UINT, WPARAM, LPARAM);
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void Layout();
  // WM_DPICHANGED: `dpi` is the new monitor's resolution, `suggested` the frame Windows offers.
  void OnDpiChanged(int dpi, const RECT& suggested);
  IdleView ViewAtIdle() const;

  // Declared in the order of need: the window goes first, the services it uses last.
  Win32TrayShell::ShellCall shellCall_;
  Win32Platform platform_;
  // The resolution the window is drawn at: its monitor's, once it exists.
  DpiScale scale_{kDesignDpi};
  UniqueFont font_;
  UniqueAccelerators shortcuts_;
  // The owner of the main window and the tray's window outlive it and the form.
  std::unique_ptr<Win32ApplicationWindow> application_;
  std::unique_ptr<Win32TrayShell> trayShell_;
  std::unique_ptr<ToolBar> toolBar_;
  std::unique_ptr<StatusBar> statusBar_;
  std::unique_ptr<ListView> listView_;
  std::unique_ptr<Win32FormHost> host_;
  std::unique_ptr<Win32IgnoreListDialog> ignoreListDialog_;
  std::unique_ptr<Win32OptionsDialog> optionsDialog_;
  std::unique_ptr<Win32HotKeys> hotKeys_;
  std::unique_ptr<TFormMain> form_;
  UniqueWindow window_;
};

}  // namespace tarvex::win32
