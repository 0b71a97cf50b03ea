// The icon's own small window that the tray embeds: it draws the picture, shows the tooltip and
// reports every mouse action on it to the tray icon.
#pragma once

#include <QIcon>
#include <QWidget>

#include <cstdint>
#include <functional>

#include "linux/tray/tray_mouse_events.h"
#include "tray/tray_icon.h"

namespace tarvex::qt {

class TrayIconWidget final : public QWidget {
 public:
  // The mouse event, the cursor in screen coordinates and the keys held.
  using Notify = std::function<void(TrayMouseEvent event, int x, int y, TShiftState keys)>;

  explicit TrayIconWidget(Notify notify);

  void SetPicture(const QIcon& picture);
  // Carriage returns break the line, as the Windows shell shows the tip.
  void SetTip(const std::string& tip);
  // True while one of its mouse handlers runs (and with it, perhaps, the tray menu).
  bool Handling() const { return handling_ > 0; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;

 private:
  void Report(TrayMouseEvent trayEvent, const QMouseEvent& event);

  Notify notify_;
  int handling_ = 0;
  quint64 lastPressTime_ = 0;
  QIcon picture_;
  TrayMouseEvents events_;
};

}  // namespace tarvex::qt
