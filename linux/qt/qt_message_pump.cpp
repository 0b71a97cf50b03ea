#include "linux/qt/qt_message_pump.h"

#include <QCoreApplication>

namespace tarvex::qt {

void QtMessagePump::ProcessMessages() { QCoreApplication::processEvents(); }

}  // namespace tarvex::qt
