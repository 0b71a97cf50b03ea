// The main window as the toolkit holds it: its bounds, its title, its closing.
#pragma once

#include <QWidget>

#include "app/dpi_units.h"
#include "app/views.h"

namespace tarvex::qt {

// The position is the frame's, the size the window's own, without the frame: the window
// manager tells the frame's size only once the window is on the screen, so a size with the
// frame would grow by the frame at every start.
class QtFormHost final : public FormHost {
 public:
  explicit QtFormHost(QWidget& window) : window_(window) {}

  // Posted, not sent: the request may come from inside a click or a menu, which must not see
  // the window go under it.
  void Close() override;
  // On X11 the main window itself carries the taskbar entry.
  void SetApplicationTitle(const std::string& title) override;
  // A minimized or hidden window keeps the bounds it had.
  Bounds FormBounds() const override;
  void SetFormBounds(const Bounds& bounds) override;
  ScreenSize PrimaryScreen() const override;
  // Qt lays out and places widgets in device-independent pixels, which are 96-dpi units: it
  // scales them to each screen itself.
  int Dpi() const override { return kDesignDpi; }

 private:
  QWidget& window_;
};

}  // namespace tarvex::qt
