#include "linux/qt/action_bar.h"

#include <QKeySequence>
#include <QLayout>
#include <QWidget>

#include "app/action_list.h"
#include "app/form_layout.h"
#include "app/form_main.h"
#include "linux/qt/action_icons.h"
#include "linux/qt/qt_text.h"
#include "base/hint_text.h"

namespace tarvex::qt {
namespace {

QKeySequence KeysOf(const Shortcut& shortcut) {
  if (shortcut.IsNone()) return {};
  const int key = shortcut.functionKey != 0 ? Qt::Key_F1 + (shortcut.functionKey - 1)
                                            : Qt::Key_A + (shortcut.letter - 'A');
  Qt::KeyboardModifiers modifiers;
  if (shortcut.ctrl) modifiers |= Qt::ControlModifier;
  if (shortcut.shift) modifiers |= Qt::ShiftModifier;
  return QKeySequence(QKeyCombination(modifiers, static_cast<Qt::Key>(key)));
}

}  // namespace

ActionBar::ActionBar(QWidget& window, std::function<void(ActionId)> execute) : QToolBar(&window) {
  setAccessibleName(QStringLiteral("Commands"));
  setMovable(false);
  setFloatable(false);
  setIconSize({kToolPictureSize, kToolPictureSize});
  setToolButtonStyle(Qt::ToolButtonIconOnly);
  // Hiding the bar is no choice the program offers.
  toggleViewAction()->setVisible(false);
  setContextMenuPolicy(Qt::PreventContextMenu);

  for (const ActionInfo& info : kActionList) {
    auto* action = new QAction(ActionIcon(info.id), ToQString(info.caption), &window);
    action->setToolTip(ToQString(ShortHint(info.hint)));
    action->setShortcut(KeysOf(info.shortcut));
    action->setShortcutContext(Qt::WindowShortcut);
    QObject::connect(action, &QAction::triggered, [execute, id = info.id] { execute(id); });
    // Exit has no button: the window carries it for its shortcut's sake like the others.
    window.addAction(action);
    actions_[static_cast<std::size_t>(info.id)] = action;
  }
  // The style's roomier buttons would not all fit the designed window's width.
  layout()->setSpacing(0);
  setContentsMargins(kToolBarIndent, 0, 0, 0);
  for (const std::optional<ActionId>& slot : kToolBarLayout) {
    if (!slot) {
      addSeparator();
      continue;
    }
    addAction(&Action(*slot));
    widgetForAction(&Action(*slot))->setFixedSize(kToolButtonWidth, kToolBarHeight);
  }
}

void ActionBar::ShowEnabledStates(const TFormMain& form) {
  for (const ActionInfo& info : kActionList) Action(info.id).setEnabled(form.Enabled(info.id));
}

std::optional<ActionId> ActionBar::ActionAt(QPoint globalPoint) const {
  const QAction* under = actionAt(mapFromGlobal(globalPoint));
  for (std::size_t i = 0; i < actions_.size(); ++i) {
    if (under != nullptr && actions_[i] == under) return static_cast<ActionId>(i);
  }
  return std::nullopt;
}

}  // namespace tarvex::qt
