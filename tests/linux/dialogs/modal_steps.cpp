#include "modal_steps.h"

#include <QApplication>
#include <QDialog>
#include <QTest>
#include <QTimer>

namespace tarvex::qt {
namespace {

constexpr int kAttempts = 200;
constexpr int kPollMilliseconds = 10;

void Poll(const QString& name, std::function<void(QDialog&)> step, int attemptsLeft) {
  QTimer::singleShot(kPollMilliseconds, [name, step = std::move(step), attemptsLeft]() mutable {
    auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr || dialog->objectName() != name) {
      if (attemptsLeft > 0) {
        Poll(name, std::move(step), attemptsLeft - 1);
      } else {
        QTest::qFail(qPrintable(name + QStringLiteral(" never came up")), __FILE__, __LINE__);
      }
      return;
    }
    // Keys go where the focus is, which needs the dialog to be the active window.
    dialog->activateWindow();
    if (!QTest::qWaitForWindowActive(dialog)) {
      QTest::qFail(qPrintable(name + QStringLiteral(" never became active")), __FILE__, __LINE__);
    } else {
      step(*dialog);
    }
    if (QTest::currentTestFailed() && dialog->isVisible()) dialog->reject();
  });
}

}  // namespace

void WhenModal(const QString& name, std::function<void(QDialog& dialog)> step) {
  Poll(name, std::move(step), kAttempts);
}

QStringList TabOrder(QDialog& dialog) {
  QStringList names;
  for (QWidget* widget = dialog.nextInFocusChain(); widget != &dialog;
       widget = widget->nextInFocusChain()) {
    if ((widget->focusPolicy() & Qt::TabFocus) && widget->isVisibleTo(&dialog) &&
        widget->parentWidget() == &dialog) {
      names << widget->objectName();
    }
  }
  return names;
}

bool LaidOutCleanly(QDialog& dialog) {
  const QRect client(QPoint(), dialog.size());
  QList<QRect> taken;
  for (QWidget* child : dialog.findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (!child->isVisibleTo(&dialog)) continue;
    if (!client.contains(child->geometry())) return false;
    // The etched frame surrounds other controls by design.
    if (child->objectName() == QStringLiteral("Bevel1")) continue;
    for (const QRect& other : taken) {
      if (other.intersects(child->geometry())) return false;
    }
    taken << child->geometry();
  }
  return true;
}

}  // namespace tarvex::qt
