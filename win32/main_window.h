// The main window: the application list above the status bar, driven by the core's TFormMain.
#pragma once

#include "win32/windows_api.h"

#include <memory>

#include "app/form_main.h"
#include "win32/list_view.h"
#include "win32/status_bar.h"
#include "win32/unique_handle.h"
#include "win32/win32_platform.h"

namespace tarvex::win32 {

class MainWindow {
 public:
  MainWindow() = default;
  ~MainWindow();
  MainWindow(const MainWindow&) = delete;
  MainWindow& operator=(const MainWindow&) = delete;

  // Creates the window, still hidden, with its controls and the form behind them.
  void Create();
  // The first show, which fills the list.
  void ShowFirst(int showCommand);

  HWND Handle() const { return window_.get(); }
  // The window's keyboard shortcuts; true when the message was one and has been handled.
  bool TranslateShortcut(MSG& message);
  // Called each time the message queue has run empty.
  void Idle();

  TFormMain& Form() { return *form_; }
  ListView& List() { return *listView_; }
  StatusBar& Status() { return *statusBar_; }

 private:
  static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);
  void Layout();

  // Declared in the order of need: the window goes first, the services it uses last.
  Win32Platform platform_;
  UniqueFont font_;
  UniqueAccelerators shortcuts_;
  std::unique_ptr<StatusBar> statusBar_;
  std::unique_ptr<ListView> listView_;
  std::unique_ptr<TFormMain> form_;
  UniqueWindow window_;
};

}  // namespace tarvex::win32
