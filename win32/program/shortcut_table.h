// The actions' keyboard shortcuts as an accelerator table that sends their window commands.
#pragma once

#include "win32/support/windows_api.h"

#include <vector>

#include "win32/support/unique_handle.h"

namespace tarvex::win32 {

// One entry per action that has a shortcut, in the order of the action list.
std::vector<ACCEL> ShortcutAccelerators();
UniqueAccelerators CreateShortcutTable();

}  // namespace tarvex::win32
