// The main window: tool bar, application list and status bar, driven by the core's TFormMain.
#pragma once

#include <QMainWindow>
#include <functional>
#include <memory>
#include <string>

#include "app/form_main.h"
#include "linux/qt/action_bar.h"
#include "linux/qt/list_view.h"
#include "linux/qt/qt_application_window.h"
#include "linux/qt/qt_form_host.h"
#include "linux/qt/qt_message_pump.h"
#include "linux/qt/qt_text_collation.h"
#include "linux/qt/qt_timer_service.h"
#include "linux/qt/qt_web_browser.h"
#include "linux/qt/status_bar.h"
#include "linux/settings/utf8_code_page.h"
#include "services/failure_sink.h"

namespace tarvex::qt {

// The services of the desktop and the dialogs that other parts of the edition provide; the
// tests hand in simulated ones.
struct MainWindowPorts {
  WindowSystem& windows;
  ToolHelpLibrary& toolHelp;
  IconSource& icons;
  ProfileStore& settings;
  IgnoreListDialogView& ignoreListDialog;
  InputBox& inputBox;
  OptionsDialogView& optionsDialog;
  TrayShell& trayShell;
  HotKeys& hotKeys;
  MessageBoxes& boxes;
};

class MainWindow final : public QMainWindow {
 public:
  // Creates the window, still hidden, with its controls and the form behind them.
  explicit MainWindow(const MainWindowPorts& ports);
  ~MainWindow() override;
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // The first show: the settings are applied and the list filled before the window appears;
  // a failure on the way is reported, and the window appears all the same.
  void ShowFirst();
  // Called each time the event loop is about to wait: the actions' states, the counters and
  // the hint line catch up, while the window can be seen and used.
  void Idle();
  // What the window and the mouse look like at this idle moment.
  IdleView ViewAtIdle() const;
  // The window manager's frame around the window, whenever it reports a new one.
  void FrameChanged(const FrameExtents& frame) { host_.SetFrame(frame); }
  // Runs when the window has closed for good; the program ends then.
  void SetOnClosed(std::function<void()> onClosed) { onClosed_ = std::move(onClosed); }

  TFormMain& Form() { return *form_; }
  ActionBar& Tools() { return *toolBar_; }
  QtListView& List() { return *listView_; }
  QtStatusBar& Status() { return *statusBar_; }

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool event(QEvent* event) override;
  QMenu* createPopupMenu() override { return nullptr; }

 private:
  MainWindowPorts ports_;
  // Where the failures of the form's handlers go: the error box.
  FailureSink failures_;
  QtTimerService timers_;
  QtMessagePump pump_;
  QtTextCollation collation_;
  Utf8CodePage codePage_;
  QtWebBrowser browser_;
  QtFormHost host_;
  QtApplicationWindow application_;
  // Children of the window, which deletes them.
  ActionBar* toolBar_;
  QtListView* listView_;
  QtStatusBar* statusBar_;
  std::unique_ptr<TFormMain> form_;
  std::function<void()> onClosed_;
  QMetaObject::Connection idle_;
};

}  // namespace tarvex::qt
