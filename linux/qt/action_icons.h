// The actions' pictures: the desktop icon theme's where it has a fitting one, else our own.
#pragma once

#include <QIcon>

#include "app/action_id.h"

namespace tarvex::qt {

QIcon ActionIcon(ActionId action);
// The picture of the action with that image index, as the tray menu's items name theirs; none
// for an index no action has.
QIcon ActionIconOfImage(int imageIndex);

}  // namespace tarvex::qt
