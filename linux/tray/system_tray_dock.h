// The freedesktop.org system tray on X11: the tray is the owner of the selection
// _NET_SYSTEM_TRAY_S<screen>; an icon is a window of ours that the tray embeds (XEmbed) when
// asked with SYSTEM_TRAY_REQUEST_DOCK.
#pragma once

#include <QAbstractNativeEventFilter>
#include <xcb/xcb.h>

#include <functional>

namespace tarvex::qt {

class SystemTrayDock final : private QAbstractNativeEventFilter {
 public:
  // onManagerAppeared: a tray has started (or restarted). onEmbedded: the tray has taken the
  // watched icon window in. onUndocked: the window has left its tray, because the tray ended.
  SystemTrayDock(std::function<void()> onManagerAppeared, std::function<void()> onEmbedded,
                 std::function<void()> onUndocked);
  ~SystemTrayDock() override;
  SystemTrayDock(const SystemTrayDock&) = delete;
  SystemTrayDock& operator=(const SystemTrayDock&) = delete;

  // The tray's window, XCB_WINDOW_NONE when the desktop has no tray.
  xcb_window_t Manager() const;
  // Asks the tray to embed the window and watches it from then on; false when there is no tray.
  bool Dock(xcb_window_t icon);
  void StopWatching() { icon_ = XCB_WINDOW_NONE; }

 private:
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;

  xcb_connection_t* connection_;
  xcb_window_t root_;
  xcb_atom_t selection_;
  xcb_atom_t opcode_;
  xcb_atom_t manager_;
  xcb_atom_t xembedInfo_;
  xcb_window_t icon_ = XCB_WINDOW_NONE;
  std::function<void()> onManagerAppeared_;
  std::function<void()> onEmbedded_;
  std::function<void()> onUndocked_;
};

}  // namespace tarvex::qt
