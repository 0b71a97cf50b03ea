#include "linux/qt/qt_web_browser.h"

#include <QDesktopServices>
#include <QUrl>

#include "linux/qt/qt_text.h"

namespace tarvex::qt {

void QtWebBrowser::OpenAddress(const std::string& address) {
  // As the shell's open, the outcome is the desktop's to report, not ours.
  QDesktopServices::openUrl(QUrl(ToQString(address)));
}

}  // namespace tarvex::qt
