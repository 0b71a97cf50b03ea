// The main window's twelve actions as the user meets them: caption, hint, picture, shortcut, and
// the order of the tool bar's buttons.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>

#include "app/action_id.h"

namespace tarvex {

// A keyboard shortcut: a function key (1 to 24) or a letter, with Ctrl and Shift.
struct Shortcut {
  int functionKey = 0;
  char letter = 0;
  bool ctrl = false;
  bool shift = false;
  bool IsNone() const { return functionKey == 0 && letter == 0; }
};

struct ActionInfo {
  ActionId id;
  const char* name;
  const char* caption;  // "&" marks the accelerator letter in menus
  const char* hint;     // "short|long"
  int imageIndex;
  Shortcut shortcut;
};

inline constexpr std::array<ActionInfo, kActionCount> kActionList = {{
    {ActionId::ActRefresh,
     "ActRefresh",
     "&Refresh",
     "Refresh|Refresh application list",
     0,
     {5, 0, false, false}},
    {ActionId::ActCheckAll,
     "ActCheckAll",
     "Check &All",
     "Check All|Check all applications",
     1,
     {0, 'A', true, false}},
    {ActionId::ActUncheckAll,
     "ActUncheckAll",
     "Uncheck All",
     "Uncheck All|Uncheck all applications",
     2,
     {0, 'A', true, true}},
    {ActionId::ActRestore,
     "ActRestore",
     "Restore",
     "Restore|Restore selected applications",
     3,
     {0, 'R', true, false}},
    {ActionId::ActMinimize,
     "ActMinimize",
     "Minimize",
     "Minimize|Minimize selected applications",
     4,
     {0, 'M', true, false}},
    {ActionId::ActTerminate,
     "ActTerminate",
     "&Terminate",
     "Terminate|Terminate selected applications",
     5,
     {0, 'T', true, false}},
    {ActionId::ActSwitchTo,
     "ActSwitchTo",
     "Switch To",
     "Switch To|Switch to selected application",
     6,
     {2, 0, false, false}},
    {ActionId::ActIgnoreList,
     "ActIgnoreList",
     "Ignore List",
     "Ignore List|Display list of ignored applications",
     7,
     {0, 'I', true, false}},
    {ActionId::ActOptions, "ActOptions", "Options", "Options|Change application options", 8, {}},
    {ActionId::ActWebSite,
     "ActWebSite",
     "Web Site",
     "Web Site|Browse to this application web site",
     9,
     {}},
    {ActionId::ActAbout, "ActAbout", "About", "About|About this application", 10, {}},
    {ActionId::ActExit, "ActExit", "E&xit", "Exit|Quits the application", 11, {}},
}};

inline const ActionInfo& ActionOf(ActionId id) { return kActionList[static_cast<std::size_t>(id)]; }

// The tool bar from left to right; an empty slot is an 8-pixel separator. Exit has no button.
inline constexpr std::array<std::optional<ActionId>, 17> kToolBarLayout = {{
    ActionId::ActRefresh,
    std::nullopt,
    ActionId::ActCheckAll,
    ActionId::ActUncheckAll,
    std::nullopt,
    ActionId::ActRestore,
    ActionId::ActMinimize,
    ActionId::ActTerminate,
    std::nullopt,
    ActionId::ActSwitchTo,
    std::nullopt,
    ActionId::ActIgnoreList,
    std::nullopt,
    ActionId::ActOptions,
    std::nullopt,
    ActionId::ActWebSite,
    ActionId::ActAbout,
}};

}  // namespace tarvex
