#include "linux/qt/action_icons.h"

#include <QPixmap>
#include <array>

#include "app/action_list.h"
#include "linux/qt/picture_grid.h"

namespace tarvex::qt {
namespace {

// Names of the freedesktop icon naming rules, by action; empty where the theme has
// nothing that says what the action does (checks, restore, minimize, the ignore list).
constexpr std::array<const char*, kActionCount> kThemeNames = {
    "view-refresh",        // ActRefresh
    "",                    // ActCheckAll
    "",                    // ActUncheckAll
    "",                    // ActRestore
    "",                    // ActMinimize
    "window-close",        // ActTerminate
    "go-jump",             // ActSwitchTo
    "",                    // ActIgnoreList
    "preferences-system",  // ActOptions
    "web-browser",         // ActWebSite
    "help-about",          // ActAbout
    "application-exit",    // ActExit
};

}  // namespace

QIcon ActionIcon(ActionId action) {
  const auto own = QIcon(QPixmap::fromImage(
      ActionPictures().at(static_cast<std::size_t>(ActionOf(action).imageIndex))));
  const char* themeName = kThemeNames.at(static_cast<std::size_t>(action));
  if (*themeName == '\0') return own;
  return QIcon::fromTheme(QLatin1String(themeName), own);
}

QIcon ActionIconOfImage(int imageIndex) {
  for (const ActionInfo& info : kActionList) {
    if (info.imageIndex == imageIndex) return ActionIcon(info.id);
  }
  return {};
}

}  // namespace tarvex::qt
