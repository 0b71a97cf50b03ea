#include "win32/program/shortcut_table.h"

#include <cctype>
#include <stdexcept>

#include "app/action_list.h"
#include "win32/views/action_commands.h"

namespace tarvex::win32 {

std::vector<ACCEL> ShortcutAccelerators() {
  std::vector<ACCEL> accelerators;
  for (const ActionInfo& action : kActionList) {
    const Shortcut& shortcut = action.shortcut;
    if (shortcut.IsNone()) continue;
    // Virtual keys: modifiers must match exactly, so Ctrl+A is not also Ctrl+Shift+A. A letter's
    // key code is its capital.
    BYTE flags = FVIRTKEY;
    if (shortcut.ctrl) flags |= FCONTROL;
    if (shortcut.shift) flags |= FSHIFT;
    const WORD key =
        shortcut.functionKey != 0
            ? static_cast<WORD>(VK_F1 + shortcut.functionKey - 1)
            : static_cast<WORD>(std::toupper(static_cast<unsigned char>(shortcut.letter)));
    accelerators.push_back({flags, key, CommandOf(action.id)});
  }
  return accelerators;
}

UniqueAccelerators CreateShortcutTable() {
  std::vector<ACCEL> accelerators = ShortcutAccelerators();
  UniqueAccelerators table(
      ::CreateAcceleratorTableA(accelerators.data(), static_cast<int>(accelerators.size())));
  if (!table) throw std::runtime_error("Cannot create the keyboard shortcuts");
  return table;
}

}  // namespace tarvex::win32
