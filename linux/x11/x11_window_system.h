// The desktop's windows as an EWMH/ICCCM window manager presents them, mapped onto the
// enumerator's window-system contract (see WINDOWS-ON-X11.md for what each answer means).
//
// A pass is one Enumerate and the per-window questions that follow it. Enumerate asks for the
// facts of every listed window in one batch of pipelined requests; the questions of the pass are
// answered from those facts without further traffic. A window outside the batch is fetched when
// asked. Any request to a window ends the pass, so later questions see fresh facts.
#pragma once

#include <xcb/xcb.h>

#include <array>
#include <unordered_map>
#include <vector>

#include "linux/x11/atoms.h"
#include "linux/x11/facts_fetcher.h"
#include "linux/x11/window_facts.h"
#include "linux/x11/xcb_connection.h"
#include "winlist/window_system.h"

namespace tarvex::x11 {

class X11WindowSystem final : public WindowSystem {
 public:
  // The connection must outlive the window system.
  explicit X11WindowSystem(XcbConnection& connection);

  void Enumerate(EnumWindowsProc proc, std::intptr_t param) override;
  int WindowText(WinHandle window, char* buffer, int bufferSize) override;
  bool IsVisible(WinHandle window) override;
  WinHandle Owner(WinHandle window) override;
  WinHandle LastActivePopup(WinHandle window) override;
  bool Exists(WinHandle handle) override;
  std::int32_t WindowLong(WinHandle window, int index) override;
  int ClassName(WinHandle window, char* buffer, int bufferSize) override;
  std::uint32_t ThreadProcessId(WinHandle window, std::uint32_t* processId) override;
  void Show(WinHandle window, int showCommand) override;
  void BringToForeground(WinHandle window) override;
  void PostClose(WinHandle window) override;

  // Whether an EWMH window manager runs on the screen now.
  bool ManagerRuns();

 private:
  using Data = std::array<std::uint32_t, 5>;

  // From the pass when it knows the window, else asked now (and kept while a pass is open).
  const WindowFacts& Facts(WinHandle window);
  struct Clients {
    std::vector<xcb_window_t> windows;  // front to back
    std::vector<WindowFacts> facts;     // of each window
  };
  // The client windows with their facts; none when the server cannot be reached.
  Clients ClientsFrontToBack();
  Clients RootChildrenWithWmState();
  void EndPass();
  // A client message as a pager sends it: to the root, for the window manager to act on.
  void SendToManager(xcb_window_t window, xcb_atom_t type, const Data& data);
  void SendClientMessage(xcb_window_t destination, std::uint32_t eventMask, xcb_window_t window,
                         xcb_atom_t type, const Data& data);
  bool TakesDeleteWindow(xcb_window_t window);
  // Any error the server reports about a request is dropped, without waiting for it.
  void Forget(xcb_void_cookie_t cookie);
  void Flush();

  XcbConnection& connection_;
  const Atoms atoms_;
  const FactsFetcher fetcher_;
  bool passOpen_ = false;
  std::unordered_map<xcb_window_t, WindowFacts> pass_;
  WindowFacts asked_;  // the last window asked about outside a pass
};

}  // namespace tarvex::x11
