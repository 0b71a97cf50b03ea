// The program's message loop: dispatches messages and lets the main window update itself
// whenever the queue runs empty.
#pragma once

#include "win32/program/main_window.h"

namespace tarvex::win32 {

// Returns the exit code of the WM_QUIT that ends it.
int RunMessageLoop(MainWindow& mainWindow);

}  // namespace tarvex::win32
