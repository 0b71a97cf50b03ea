// The real desktop the tray's tests run on: a system tray that comes and goes, the mouse and the
// keyboard driven through xdotool, and an X connection of the test's own, another client.
#pragma once

#include <QProcess>
#include <QStringList>
#include <xcb/xcb.h>

#include <string>

namespace tarvex::qt::test {

// Runs xdotool with the arguments and waits for it.
void Xdotool(const QStringList& arguments);

// trayer, which owns the selection _NET_SYSTEM_TRAY_S0 while it runs.
class SystemTray {
 public:
  SystemTray() = default;
  ~SystemTray() { Stop(); }
  // Returns once the tray owns its selection.
  void Start();
  void Stop();

 private:
  QProcess process_;
};

class OtherClient {
 public:
  OtherClient();
  ~OtherClient();
  OtherClient(const OtherClient&) = delete;
  OtherClient& operator=(const OtherClient&) = delete;

  xcb_connection_t* Connection() const { return connection_; }
  xcb_window_t Root() const { return root_; }
  bool TrayRuns() const;
  // The window's parent, XCB_WINDOW_NONE when it does not exist.
  xcb_window_t ParentOf(xcb_window_t window) const;
  bool IsViewable(xcb_window_t window) const;
  // The middle of the window in screen coordinates.
  void CentreOf(xcb_window_t window, int& x, int& y) const;
  // Grabs the key on the root, without modifiers; whether the server granted it.
  bool GrabKey(xcb_keysym_t keysym);
  void UngrabKey(xcb_keysym_t keysym);

 private:
  xcb_keycode_t KeycodeOf(xcb_keysym_t keysym) const;

  xcb_connection_t* connection_;
  xcb_window_t root_ = XCB_WINDOW_NONE;
};

}  // namespace tarvex::qt::test
