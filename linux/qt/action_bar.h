// The main window's twelve actions as Qt actions (caption, tooltip, picture, shortcut) and the
// tool bar that shows them in the designed layout. Triggering one hands its id to the form.
#pragma once

#include <QAction>
#include <QToolBar>
#include <array>
#include <functional>
#include <optional>

#include "app/action_id.h"

namespace tarvex {
class TFormMain;
}

namespace tarvex::qt {

class ActionBar final : public QToolBar {
 public:
  // The actions belong to `window`, whose shortcuts they are while it is active.
  ActionBar(QWidget& window, std::function<void(ActionId)> execute);

  QAction& Action(ActionId id) const { return *actions_[static_cast<std::size_t>(id)]; }
  // Enables and disables the actions as the form's are.
  void ShowEnabledStates(const TFormMain& form);
  // The action of the button at a point of the screen; none over a separator or elsewhere.
  std::optional<ActionId> ActionAt(QPoint globalPoint) const;

 private:
  std::array<QAction*, kActionCount> actions_{};
};

}  // namespace tarvex::qt
