// The main window as the toolkit holds it: its bounds, its title, its closing.
#pragma once

#include <QWidget>

#include "app/dpi_units.h"
#include "app/views.h"
#include "app/window_frame.h"

namespace tarvex::qt {

// Bounds are the outer frame's, as everywhere. Qt places the window's own area; the frame
// around it is the one the window manager reports, handed in through SetFrame (none until then).
class QtFormHost final : public FormHost {
 public:
  // Sets the window's minimum size for a window without a frame.
  explicit QtFormHost(QWidget& window);

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

  // The window manager's frame around the window, as it reports it, and the minimum size with
  // it. Until the manager has framed the shown window once, a new frame keeps the outer frame
  // where the window was placed: a manager that reports the frame only after the first map
  // still shows the stored rectangle. Later the manager keeps the window's own area in place.
  void SetFrame(const FrameExtents& frame);
  // The window has been on screen: from then on a frame reported while it is hidden is ignored.
  void WindowShown() { shown_ = true; }

 private:
  QWidget& window_;
  FrameExtents frame_;
  bool framed_ = false;
  bool shown_ = false;
};

}  // namespace tarvex::qt
