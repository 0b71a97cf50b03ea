// Driving modal dialogs from a test: a step runs on the dialog once its modal loop is up, and a
// dialog that a failed check left open is closed, so that a fault fails the test, not hangs it.
#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QDialog;
class QWidget;

namespace tarvex::qt {

// Runs `step` on the modal dialog named `name` as soon as it is the active modal widget.
void WhenModal(const QString& name, std::function<void(QDialog& dialog)> step);

// The object names of the widgets that Tab visits, from the dialog's first focusable widget.
QStringList TabOrder(QDialog& dialog);

// Whether every visible child lies inside the dialog and none overlaps another, frames aside.
bool LaidOutCleanly(QDialog& dialog);

}  // namespace tarvex::qt
