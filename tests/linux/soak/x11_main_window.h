// The real main window over the real X display: the xcb window system and the /proc process
// snapshot of the program, Qt's views (offscreen: our own window stays off the desktop we list),
// and simulated dialogs, tray, hot keys and settings. Boxes are recorded, never shown.
#pragma once

#include <QApplication>
#include <QEventLoop>
#include <QTimer>
#include <QTreeWidgetItem>
#include <string>
#include <vector>

#include "linux/qt/guarded_call.h"
#include "linux/qt/main_window.h"
#include "linux/x11/no_icon_source.h"
#include "linux/x11/proc_tool_help_library.h"
#include "linux/x11/x11_window_system.h"
#include "linux/x11/xcb_connection.h"
#include "sim/form_harness.h"

namespace tarvex::soak {

class RecordingBoxes final : public MessageBoxes {
 public:
  BoxAnswer Show(const std::string& text, const std::string& caption, BoxKind /*kind*/) override {
    shown.push_back(caption + ": " + text);
    return BoxAnswer::kOk;
  }
  std::vector<std::string> shown;
};

struct X11MainWindow {
  X11MainWindow() {
    IgnoreList.Replace({});
    MinimizeToTray = false;
    HotKeyCode = 0;
    AppIniFileName = sim::kSettingsFile;
    window.ShowFirst();
  }
  ~X11MainWindow() { IgnoreList.Replace({}); }

  void Execute(ActionId action) {
    qt::RunGuarded(FailureSink(boxes), [&] { window.Form().ExecuteAction(action); });
  }
  // Lets the event loop run until it waits, which is when the idle step runs.
  static void Settle(int milliseconds = 5) {
    QEventLoop loop;
    QTimer::singleShot(milliseconds, &loop, &QEventLoop::quit);
    loop.exec();
  }
  // The rows whose captions begin with `prefix`, as the list shows them.
  std::vector<int> RowsStartingWith(const std::string& prefix) const {
    std::vector<int> rows;
    QTreeWidget& list = window.List();
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
      if (list.topLevelItem(i)->text(0).toStdString().starts_with(prefix)) rows.push_back(i);
    }
    return rows;
  }
  // Every caption the list shows, for messages.
  std::string ShownCaptions() const {
    std::string captions;
    for (int i = 0; i < window.List().topLevelItemCount(); ++i) captions += Caption(i) + "; ";
    return captions;
  }
  std::string Caption(int row) const {
    return window.List().topLevelItem(row)->text(0).toStdString();
  }
  // As a click on the row's check box does it.
  void Check(int row) { window.List().topLevelItem(row)->setCheckState(0, Qt::Checked); }
  void Select(int row) { window.List().setCurrentItem(window.List().topLevelItem(row)); }
  // The simulated parts keep a log of every call; a long run empties it now and then, so that
  // only what the program itself holds is measured.
  void ForgetLogs() {
    trayShell.calls.clear();
    trayShell.steps.clear();
    hotKeys.calls.clear();
  }

  x11::XcbConnection connection;
  x11::X11WindowSystem windows{connection};
  x11::ProcToolHelpLibrary toolHelp;
  x11::NoIconSource icons;
  sim::MemoryTextFiles files;
  FileProfileStore settings{files};
  sim::ScriptedIgnoreListDialog ignoreListDialog;
  sim::ScriptedInputBox inputBox;
  sim::ScriptedOptionsDialog optionsDialog;
  sim::FakeTrayShell trayShell;
  sim::RecordingHotKeys hotKeys;
  RecordingBoxes boxes;
  mutable qt::MainWindow window{{windows, toolHelp, icons, settings, ignoreListDialog, inputBox,
                                 optionsDialog, trayShell, hotKeys, boxes}};
};

}  // namespace tarvex::soak
