#include "linux/tray/tray_menu.h"

#include <QEvent>
#include <QMenu>
#include <QMouseEvent>

#include "linux/qt/guarded_call.h"

namespace tarvex::qt {
namespace {

// Puts the hint of the item under the mouse on the hint line, and clears it where there is no
// item (a separator, outside the menu), as the Windows menu reports it.
class MenuHintFollower final : public QObject {
 public:
  MenuHintFollower(QMenu& menu, const TPopupMenu& items, HintLine& hints, FailureSink failures)
      : menu_(menu), items_(items), hints_(hints), failures_(failures) {
    menu_.installEventFilter(this);
    QObject::connect(&menu_, &QMenu::hovered, this, [this](QAction* action) { Show(action); });
  }

  void Show(const QAction* action) const {
    RunGuarded(failures_, [&] {
      const int index = action != nullptr && !action->isSeparator() ? action->data().toInt() : -1;
      hints_.MenuItemHovered(index >= 0 ? items_.items[static_cast<std::size_t>(index)].hint
                                        : std::string());
    });
  }

 protected:
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Leave) {
      Show(nullptr);
    } else if (event->type() == QEvent::MouseMove) {
      const QAction* under = menu_.actionAt(static_cast<QMouseEvent*>(event)->position().toPoint());
      if (under == nullptr || under->isSeparator()) Show(nullptr);
    }
    return false;
  }

 private:
  QMenu& menu_;
  const TPopupMenu& items_;
  HintLine& hints_;
  const FailureSink failures_;
};

QString FromLocal(const std::string& text) {
  return QString::fromLocal8Bit(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

int ExecTrayMenu(const TPopupMenu& menu, QPoint at, HintLine& hints, const PictureSource& pictures,
                 FailureSink failures) {
  QMenu popup;
  for (std::size_t i = 0; i < menu.items.size(); ++i) {
    const TMenuItem& item = menu.items[i];
    QAction* action =
        item.caption == "-" ? popup.addSeparator() : popup.addAction(FromLocal(item.caption));
    action->setData(item.caption == "-" ? -1 : static_cast<int>(i));
    action->setEnabled(item.enabled);
    if (pictures && item.imageIndex >= 0) action->setIcon(pictures(item.imageIndex));
    if (item.isDefault) {
      popup.setDefaultAction(action);
      QFont bold = action->font();
      bold.setBold(true);  // not every style draws the default item bold by itself
      action->setFont(bold);
    }
  }
  const MenuHintFollower follower(popup, menu, hints, failures);
  const QAction* chosen = popup.exec(at);
  follower.Show(nullptr);  // the menu has closed: no item is under the mouse
  return chosen != nullptr ? chosen->data().toInt() : -1;
}

}  // namespace tarvex::qt
