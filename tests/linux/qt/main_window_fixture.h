// A main window over the simulated desktop, with dialogs that answer from a script, a settings
// file in memory and boxes that are recorded instead of shown.
#pragma once

#include <QApplication>
#include <QCursor>
#include <QEventLoop>
#include <QTest>
#include <QTimer>
#include <QTreeWidgetItem>
#include <string>
#include <vector>

#include "linux/qt/main_window.h"
#include "sim/form_harness.h"

namespace tarvex::qt::testing {

struct MainWindowFixture {
  MainWindowFixture() {
    IgnoreList.Replace({});
    MinimizeToTray = false;
    HotKeyCode = 0;
    AppIniFileName = sim::kSettingsFile;
  }
  ~MainWindowFixture() { IgnoreList.Replace({}); }

  // Shows the window as the program does and waits until it can take keys.
  void ShowActive() {
    window.ShowFirst();
    window.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&window));
  }
  // Runs the event loop until it waits, which is when the idle step runs. QTest::qWait would
  // not do: it polls, and a loop that never waits never reaches its idle moment.
  static void Settle() {
    QEventLoop loop;
    QTimer::singleShot(30, &loop, &QEventLoop::quit);
    loop.exec();
  }

  std::vector<std::string> ShownCaptions() const {
    std::vector<std::string> captions;
    QTreeWidget& list = window.List();
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
      captions.push_back(list.topLevelItem(i)->text(0).toStdString());
    }
    return captions;
  }
  std::vector<bool> ShownChecks() const {
    std::vector<bool> checks;
    QTreeWidget& list = window.List();
    for (int i = 0; i < list.topLevelItemCount(); ++i) {
      checks.push_back(list.topLevelItem(i)->checkState(0) == Qt::Checked);
    }
    return checks;
  }
  std::vector<std::string> CoreCaptions() {
    std::vector<std::string> captions;
    for (const ListRow& row : window.Form().Rows()) captions.push_back(row.caption);
    return captions;
  }
  std::string& SettingsText() { return files.files[sim::kSettingsFile]; }
  std::string Panel(int panel) const { return window.Status().PanelText(panel).toStdString(); }

  sim::SimulatedDesktop desktop;
  sim::MemoryTextFiles files;
  FileProfileStore settings{files};
  sim::ScriptedIgnoreListDialog ignoreListDialog;
  sim::ScriptedInputBox inputBox;
  sim::ScriptedOptionsDialog optionsDialog;
  sim::FakeTrayShell trayShell;
  sim::RecordingHotKeys hotKeys;
  mutable MainWindow window{{desktop, desktop, desktop, settings, ignoreListDialog, inputBox,
                             optionsDialog, trayShell, hotKeys, desktop}};
};

}  // namespace tarvex::qt::testing
