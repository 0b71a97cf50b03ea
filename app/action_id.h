// The main window's actions, in the order of its action list.
#pragma once

#include <cstddef>

namespace tarvex {

enum class ActionId : std::size_t {
  ActRefresh,
  ActCheckAll,
  ActUncheckAll,
  ActRestore,
  ActMinimize,
  ActTerminate,
  ActSwitchTo,
  ActIgnoreList,
  ActOptions,
  ActWebSite,
  ActAbout,
  ActExit,
};

inline constexpr std::size_t kActionCount = 12;

}  // namespace tarvex
