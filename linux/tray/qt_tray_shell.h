// The notification area of an X11 desktop for the tray icon: an icon window of our own that the
// system tray embeds, whose mouse actions reach the tray icon, and the tray menu as a QMenu.
#pragma once

#include <memory>
#include <optional>

#include "linux/tray/system_tray_dock.h"
#include "linux/tray/tray_icon_widget.h"
#include "linux/tray/tray_menu.h"
#include "services/failure_sink.h"
#include "tray/tray_shell.h"

namespace tarvex::qt {

class QtTrayShell final : public TrayShell {
 public:
  // Needs a running QApplication on the xcb platform. The failures of the icon's and the menu's
  // handlers go to the failure sink.
  explicit QtTrayShell(FailureSink failures);
  ~QtTrayShell() override;
  QtTrayShell(const QtTrayShell&) = delete;
  QtTrayShell& operator=(const QtTrayShell&) = delete;

  // The icon, menu and hint line whose notification area this is, and the pictures of the
  // menu's items (none when empty); until then the icon's mouse actions are ignored and the menu
  // shows nothing.
  void Attach(TTrayIcon& icon, const TPopupMenu& menu, HintLine& hints,
              PictureSource pictures = {});

  IconHandle ProgramIcon() override;
  // Adding fails when the desktop has no system tray.
  bool NotifyIcon(NotifyIconOperation operation, const NotifyIconRecord& record) override;
  // Only once the tray has embedded the icon's window: a tray may take its time, or never do it.
  bool IconShown() override { return embedded_; }
  void CancelMode() override;
  void ForegroundTrayWindow() override;
  int PopupMenu(int x, int y) override;

  // The embedded icon window, nullptr while there is none (for tests and screenshots).
  const TrayIconWidget* IconWindow() const { return widget_.get(); }

 private:
  struct Client {
    TTrayIcon& icon;
    const TPopupMenu& menu;
    HintLine& hints;
  };

  bool Dock(const NotifyIconRecord& record);
  void Show(const NotifyIconRecord& record);
  void Embedded();
  void DropIconWindow();
  void ManagerAppeared();
  void Notified(TrayMouseEvent event, int x, int y, TShiftState keys);

  FailureSink failures_;
  SystemTrayDock dock_;
  QIcon programIcon_;
  std::unique_ptr<TrayIconWidget> widget_;
  bool embedded_ = false;  // the tray has taken widget_ in
  // The record of the icon the program has added and not deleted yet.
  std::optional<NotifyIconRecord> added_;
  std::optional<Client> client_;
  PictureSource pictures_;
};

}  // namespace tarvex::qt
