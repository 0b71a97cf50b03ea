// The program's entry: the desktop's services, the main window, the event loop.
#include <QApplication>
#include <exception>

#include "app/kelvo_apps.h"
#include "linux/dialogs/qt_ignore_list_dialog.h"
#include "linux/dialogs/qt_input_box.h"
#include "linux/dialogs/qt_options_dialog.h"
#include "linux/qt/action_icons.h"
#include "linux/qt/main_window.h"
#include "linux/qt/qt_message_boxes.h"
#include "linux/settings/posix_profile_store.h"
#include "linux/settings/settings_location.h"
#include "linux/tray/program_icon.h"
#include "linux/tray/qt_tray_shell.h"
#include "linux/tray/x11_hot_keys.h"
#include "linux/x11/no_icon_source.h"
#include "linux/x11/proc_tool_help_library.h"
#include "linux/x11/x11_window_system.h"
#include "linux/x11/xcb_connection.h"
#include "tray/error_box.h"

int main(int argc, char* argv[]) {
  QApplication application(argc, argv);
  // The program ends when its main window closes, not when its last visible window does: in
  // the tray it has none, and a box closed there would end it.
  QApplication::setQuitOnLastWindowClosed(false);
  QApplication::setWindowIcon(tarvex::qt::ProgramIcon());

  tarvex::qt::QtMessageBoxes boxes;
  const tarvex::qt::FailureReporter report = [&boxes](std::exception_ptr failure) {
    tarvex::ApplicationEvents1Exception(boxes, std::move(failure));
  };
  try {
    // Fixed for the whole run: a later change of the environment has no effect.
    const tarvex::posix::SettingsLocation settingsLocation =
        tarvex::posix::SettingsLocationOfProcess();
    tarvex::AppIniFileName = settingsLocation.file;
    tarvex::posix::PosixProfileStore settings(settingsLocation.directoryToCreate);

    tarvex::x11::XcbConnection connection;
    tarvex::x11::X11WindowSystem windows(connection);
    tarvex::x11::ProcToolHelpLibrary toolHelp;
    tarvex::x11::NoIconSource icons;
    // The dialogs are the window's ports, so they come first; the window becomes their parent
    // as soon as it stands.
    tarvex::qt::QtIgnoreListDialog ignoreListDialog(nullptr);
    tarvex::qt::QtInputBox inputBox(nullptr);
    tarvex::qt::QtOptionsDialog optionsDialog(nullptr);
    tarvex::qt::QtTrayShell trayShell;
    tarvex::qt::MainWindow* mainWindow = nullptr;
    tarvex::qt::X11HotKeys hotKeys(
        [&mainWindow](int id) {
          if (mainWindow != nullptr) mainWindow->Guarded([&] { mainWindow->Form().WMHotKey(id); });
        },
        report);

    tarvex::qt::MainWindow window({windows, toolHelp, icons, settings, ignoreListDialog, inputBox,
                                   optionsDialog, trayShell, hotKeys, boxes});
    mainWindow = &window;
    ignoreListDialog.SetParent(&window);
    inputBox.SetParent(&window);
    optionsDialog.SetParent(&window);
    trayShell.Attach(&window.Form(), report, tarvex::qt::ActionIconOfImage);
    window.SetOnClosed([] { QCoreApplication::quit(); });
    window.ShowFirst();
    const int result = QApplication::exec();
    mainWindow = nullptr;
    return result;
  } catch (...) {
    report(std::current_exception());
    return 1;
  }
}
