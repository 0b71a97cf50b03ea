#include "linux/tray/program_icon.h"

namespace tarvex::qt {

QIcon ProgramIcon() {
  // Built into the library from assets/tarvex.ico, with all its sizes.
  return QIcon(QStringLiteral(":/tarvex/tarvex.ico"));
}

}  // namespace tarvex::qt
