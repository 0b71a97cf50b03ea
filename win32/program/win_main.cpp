// The program's entry: the common controls, the main window, the message loop.
#include "win32/support/windows_api.h"

#include "app/kelvo_apps.h"
#include "win32/support/guarded_call.h"
#include "win32/program/main_window.h"
#include "win32/program/message_loop.h"
#include "win32/platform/settings_file_location.h"

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int showCommand) {
  // Fixed for the whole run: a later change of "windir" has no effect.
  tarvex::AppIniFileName = tarvex::win32::SettingsFileFromEnvironment();
  INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_LISTVIEW_CLASSES | ICC_BAR_CLASSES};
  ::InitCommonControlsEx(&controls);

  tarvex::win32::MainWindow mainWindow;
  if (!tarvex::win32::RunGuarded([&] { mainWindow.Create(); })) return 1;
  mainWindow.ShowFirst(showCommand);
  return tarvex::win32::RunMessageLoop(mainWindow);
}
