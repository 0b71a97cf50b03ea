// Real X clients for the X11 tests: windows of our own made with a connection of their own (as
// another application's would be), programs started and ended by their process id, and the
// answers of the command-line tools the tests check against.
#pragma once

#include <sys/types.h>
#include <xcb/xcb.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "linux/x11/atoms.h"
#include "linux/x11/xcb_connection.h"

namespace tarvex::x11::testing {

// What a client sets on its window before mapping it.
struct WindowSpec {
  std::string caption;  // _NET_WM_NAME and WM_NAME
  std::string className = "TarvexTest";
  bool setPid = true;  // _NET_WM_PID
  bool map = true;
  bool overrideRedirect = false;
  bool takesDelete = true;  // WM_PROTOCOLS with WM_DELETE_WINDOW
  xcb_window_t transientFor = XCB_WINDOW_NONE;
  std::vector<std::string> types{};   // _NET_WM_WINDOW_TYPE_... names, preferred first
  std::vector<std::string> states{};  // initial _NET_WM_STATE_... names
};

// One client connection that owns windows; closing it takes them along.
class TestClient {
 public:
  TestClient();
  xcb_window_t Create(const WindowSpec& shape);
  void Destroy(xcb_window_t window);
  void SetProperty(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                   std::vector<std::uint32_t> values);
  void Sync();  // every request so far has reached the server
  // Acts as a system tray that never embeds an icon: takes the tray selection of screen 0 with
  // a window of its own and announces it, as a starting tray does, and leaves dock requests be.
  void TakeTraySelection();
  // ClientMessages of the given type that reached this client so far.
  std::vector<xcb_client_message_event_t> TakeClientMessages(xcb_atom_t type);
  xcb_atom_t Atom(const std::string& name);
  XcbConnection& Connection() { return connection_; }
  const Atoms& atoms() const { return atoms_; }

 private:
  XcbConnection connection_;
  Atoms atoms_;
  std::vector<xcb_client_message_event_t> received_;
};

// A program started with its arguments and ended (by its id) when this goes.
class Program {
 public:
  explicit Program(std::vector<std::string> argv);
  ~Program();
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  pid_t Pid() const { return pid_; }
  // Whether it ended by itself within the time.
  bool Ended(std::chrono::milliseconds within);

 private:
  pid_t pid_ = -1;
  bool reaped_ = false;
};

// Standard output of a shell command.
std::string Output(const std::string& command);
bool WaitUntil(const std::function<bool()>& condition,
               std::chrono::milliseconds timeout = std::chrono::seconds(10));

// `wmctrl -lp`: window id, pid (0 where the client set none) and caption.
struct ManagedWindow {
  xcb_window_t window;
  std::uint32_t pid;
  std::string caption;
};
std::vector<ManagedWindow> WmctrlWindows();
// The manager's active window as `xprop -root` reports it; none when it reports none.
xcb_window_t ActiveWindow();
// The output of `xprop -id window property`.
std::string Xprop(xcb_window_t window, const std::string& property);

}  // namespace tarvex::x11::testing
