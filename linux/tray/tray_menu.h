// The tray menu on screen: the core's popup menu items as a QMenu whose hovered item's hint goes to
// the hint line.
#pragma once

#include <QIcon>
#include <QPoint>

#include <functional>

#include "app/hint_line.h"
#include "services/failure_sink.h"
#include "tray/tray_icon.h"

namespace tarvex::qt {

// The picture of the main window's image list at the index.
using PictureSource = std::function<QIcon(int imageIndex)>;

// Shows the menu with its top left corner at the point and returns when it closes: the chosen
// item's index, -1 for none. A failure while it follows the mouse goes to the failure sink.
int ExecTrayMenu(const TPopupMenu& menu, QPoint at, HintLine& hints, const PictureSource& pictures,
                 FailureSink failures);

}  // namespace tarvex::qt
