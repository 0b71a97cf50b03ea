// The X11 window system on a display whose window manager has gone, and under a stand-in
// manager whose client list names windows that are gone; the frame of a window without a
// manager, and under one that never answers the question about it.
#include <gtest/gtest.h>

#include "linux/x11/frame_watch.h"
#include "linux/x11/reply.h"
#include "x11_pass.h"
#include "x11_test_support.h"

namespace tarvex::x11::testing {
namespace {

constexpr std::uint32_t kNormal = 1;
constexpr std::uint32_t kIconic = 3;

class BareDisplay : public ::testing::Test {
 protected:
  void SetWmState(xcb_window_t window, std::uint32_t state) {
    client.SetProperty(window, client.atoms().WM_STATE, client.atoms().WM_STATE, {state, 0});
    client.Sync();
  }
  bool Mapped(xcb_window_t window) {
    xcb_connection_t* c = client.Connection().get();
    Reply<xcb_get_window_attributes_reply_t> attributes(
        xcb_get_window_attributes_reply(c, xcb_get_window_attributes(c, window), nullptr));
    return attributes && attributes->map_state != XCB_MAP_STATE_UNMAPPED;
  }

  XcbConnection connection;
  X11WindowSystem windows{connection};
  TestClient client;
};

TEST_F(BareDisplay, WithoutAManagerTheRootChildrenCarryingWmStateAreListedTopFirst) {
  ASSERT_FALSE(windows.ManagerRuns());
  const xcb_window_t one = client.Create({.caption = "bare one"});
  client.Create({.caption = "bare unclaimed"});
  const xcb_window_t iconic = client.Create({.caption = "bare iconic", .map = false});
  const xcb_window_t withdrawn = client.Create({.caption = "bare withdrawn", .map = false});
  SetWmState(one, kNormal);
  SetWmState(iconic, kIconic);
  SetWmState(withdrawn, 0);
  EXPECT_EQ(Captions(ListWindows(windows)), (std::vector<std::string>{"bare iconic", "bare one"}));

  // Restore maps and raises it, as no manager is there to do it.
  // Requests of two connections reach the server in no fixed order: wait for ours.
  windows.Show(withdrawn, kShowNormal);
  EXPECT_TRUE(WaitUntil([&] { return Mapped(withdrawn); }));
  windows.BringToForeground(one);
  EXPECT_TRUE(WaitUntil([&] { return Captions(ListWindows(windows)).front() == "bare one"; }));
}

TEST_F(BareDisplay, WithoutAManagerCloseGoesToTheWindowOnlyWhenItTakesTheRequest) {
  const xcb_window_t polite = client.Create({.caption = "bare polite"});
  const xcb_window_t deaf = client.Create({.caption = "bare deaf", .takesDelete = false});
  windows.PostClose(polite);
  windows.PostClose(deaf);
  // A question on the same connection comes back only after the server handled both requests.
  EXPECT_TRUE(windows.Exists(deaf));
  const auto messages = client.TakeClientMessages(client.atoms().WM_PROTOCOLS);
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0].window, polite);
  EXPECT_EQ(messages[0].data.data32[0], client.atoms().WM_DELETE_WINDOW);
  EXPECT_TRUE(windows.Exists(polite));
}

TEST_F(BareDisplay, ClientListEntriesThatAreGoneOrNoWindowsAreAnsweredAsGone) {
  const xcb_window_t root = client.Connection().Root();
  const Atoms& atoms = client.atoms();
  // A stand-in manager: the check window names itself, the root names the check window.
  const xcb_window_t check = client.Create({.caption = "", .map = false});
  client.SetProperty(check, atoms._NET_SUPPORTING_WM_CHECK, XCB_ATOM_WINDOW, {check});
  client.SetProperty(root, atoms._NET_SUPPORTING_WM_CHECK, XCB_ATOM_WINDOW, {check});
  const xcb_window_t bottom = client.Create({.caption = "listed bottom"});
  const xcb_window_t gone = client.Create({.caption = "listed gone"});
  const xcb_window_t top = client.Create({.caption = "listed top"});
  client.Destroy(gone);
  client.SetProperty(root, atoms._NET_CLIENT_LIST_STACKING, XCB_ATOM_WINDOW,
                     {bottom, gone, 0x1FFFFFF0u, 0xE0000001u, top});
  client.Sync();
  ASSERT_TRUE(windows.ManagerRuns());

  EXPECT_EQ(Captions(ListWindows(windows)),
            (std::vector<std::string>{"listed top", "listed bottom"}));
  EXPECT_EQ(Enumerated(windows).size(), 5u);
  for (const WinHandle window : {WinHandle{gone}, WinHandle{0x1FFFFFF0u}, WinHandle{0xE0000001u}}) {
    char text[8] = "x";
    EXPECT_EQ(windows.WindowText(window, text, sizeof text), 0);
    EXPECT_FALSE(windows.Exists(window));
    EXPECT_FALSE(windows.IsVisible(window));
  }

  // The stand-in manager dies: its check window goes, the root's property stays behind.
  client.Destroy(check);
  EXPECT_FALSE(windows.ManagerRuns());
  xcb_delete_property(client.Connection().get(), root, atoms._NET_CLIENT_LIST_STACKING);
  xcb_delete_property(client.Connection().get(), root, atoms._NET_SUPPORTING_WM_CHECK);
  client.Sync();
}

TEST_F(BareDisplay, AFrameNobodyReportsIsNoneAndALateReportIsReadWhenItComes) {
  using namespace std::chrono_literals;
  const xcb_window_t root = client.Connection().Root();
  const Atoms& atoms = client.atoms();
  const xcb_window_t window = client.Create({.caption = "framed late", .map = false});
  client.Sync();
  // No manager: nobody to ask, nothing to wait for.
  FrameWatch alone(window);
  EXPECT_EQ(alone.AskBeforeMap(24h), FrameExtents{});

  // A manager that offers the question and never answers: no frame once the wait is over.
  client.SetProperty(root, atoms._NET_SUPPORTED, XCB_ATOM_ATOM,
                     {atoms._NET_FRAME_EXTENTS, atoms._NET_REQUEST_FRAME_EXTENTS});
  client.Sync();
  FrameWatch watch(window);
  EXPECT_EQ(watch.AskBeforeMap(100ms), FrameExtents{});
  // Its report after the map is read when it comes; one that is no frame changes nothing.
  client.SetProperty(window, atoms._NET_FRAME_EXTENTS, XCB_ATOM_CARDINAL, {0x10000, 0, 0, 0});
  client.SetProperty(window, atoms._NET_FRAME_EXTENTS, XCB_ATOM_CARDINAL, {2, 3, 20, 5});
  client.Sync();
  std::optional<FrameExtents> reported;
  EXPECT_TRUE(WaitUntil([&] { return (reported = watch.ReadReports()).has_value(); }));
  EXPECT_EQ(reported, (FrameExtents{2, 3, 20, 5}));

  xcb_delete_property(client.Connection().get(), root, atoms._NET_SUPPORTED);
  client.Sync();
}

}  // namespace
}  // namespace tarvex::x11::testing
