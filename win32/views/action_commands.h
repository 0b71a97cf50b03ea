// The window command of each action: tool bar buttons and shortcuts send it with WM_COMMAND.
#pragma once

#include "win32/support/windows_api.h"

#include <optional>

#include "app/action_id.h"

namespace tarvex::win32 {

// Clear of the controls' own ids, which are small.
inline constexpr WORD kFirstActionCommand = 100;

inline WORD CommandOf(ActionId action) {
  return static_cast<WORD>(kFirstActionCommand + static_cast<std::size_t>(action));
}

inline std::optional<ActionId> ActionOfCommand(WORD command) {
  if (command < kFirstActionCommand || command >= kFirstActionCommand + kActionCount) {
    return std::nullopt;
  }
  return static_cast<ActionId>(command - kFirstActionCommand);
}

}  // namespace tarvex::win32
