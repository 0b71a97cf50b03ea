// The program's own icon, the same picture as the Windows edition's program file carries.
#pragma once

#include <QIcon>

namespace tarvex::qt {

QIcon ProgramIcon();

}  // namespace tarvex::qt
