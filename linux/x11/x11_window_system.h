// The desktop's windows as an EWMH/ICCCM window manager presents them, mapped onto the
// enumerator's window-system contract (see WINDOWS-ON-X11.md for what each answer means).
//
// A pass is one Enumerate and the per-window questions that follow it. Enumerate asks for the
// facts of every listed window in one batch of pipelined requests; the questions of the pass are
// answered from those facts without further traffic. A window outside the batch is fetched when
// asked. Any request to a window ends the pass, so later questions see fresh facts.
//
// On a connection of our own the facts of a listed window are also kept from pass to pass: the
// server is asked to report every change of its properties and of its mapping, and the next
// Enumerate forgets the facts of each window so reported before it answers anything. A pass over
// an unchanged desktop then costs one round trip for the lists and nothing per window.
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
  // X11 has no compositor cloak; a window on another workspace is listed, as taskbars list it.
  bool IsCloaked(WinHandle /*window*/) override { return false; }
  WinHandle Owner(WinHandle window) override;
  WinHandle LastActivePopup(WinHandle window) override;
  bool Exists(WinHandle handle) override;
  std::int32_t WindowLong(WinHandle window, int index) override;
  int ClassName(WinHandle window, char* buffer, int bufferSize) override;
  // The thread id is the number of the window's life: a window that comes under the id of one
  // we saw destroyed gets another, even from the same process.
  std::uint32_t ThreadProcessId(WinHandle window, std::uint32_t* processId) override;
  // A pass knows every listed window's facts, its process among them.
  bool CreatorsComeWithThePass() const override { return true; }
  void PassOver() override { EndPass(); }
  void Show(WinHandle window, int showCommand) override;
  void BringToForeground(WinHandle window) override;
  void PostClose(WinHandle window) override;

  // Whether an EWMH window manager runs on the screen now.
  bool ManagerRuns();
  // Windows whose facts are kept from pass to pass (for tests of that bookkeeping).
  std::size_t WatchedWindows() const { return watched_.size(); }
  // Applies what the server has reported so far: facts of changed windows are dropped. Call it
  // whenever the connection has input, so that the server never keeps a backlog for us.
  void ReadEvents();

 private:
  using Data = std::array<std::uint32_t, 5>;

  // From the pass when it knows the window, else asked now (and kept while a pass is open).
  const WindowFacts& Facts(WinHandle window);
  // The client windows front to back, their facts known to the pass; none when the server
  // cannot be reached.
  std::vector<xcb_window_t> ClientsFrontToBack();
  std::vector<xcb_window_t> RootChildrenWithWmState();
  // Whether the root's `named` check window is a live manager's; remembered while it lives.
  bool ManagerNamed(xcb_window_t named);
  // Makes the facts of every one of `windows` known to the pass.
  void Learn(const std::vector<xcb_window_t>& windows);
  void Watch(xcb_window_t window, std::uint32_t events);
  std::uint32_t LifeOf(xcb_window_t window);
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
  // Listed windows that report their changes to us, with their facts as of their last change.
  std::unordered_map<xcb_window_t, WindowFacts> watched_;
  // The manager's check window, known to be alive while no DestroyNotify says otherwise.
  xcb_window_t managerCheck_ = XCB_WINDOW_NONE;
  WindowFacts asked_;  // the last window asked about outside a pass
  // The life number of each window asked about while listed; a DestroyNotify ends a life.
  std::unordered_map<xcb_window_t, std::uint32_t> lives_;
  std::uint32_t lastLife_ = 0;
};

}  // namespace tarvex::x11
