// The X11 window system under openbox, against real clients and windows of our own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <utility>

#include "linux/x11/frame_watch.h"
#include "x11_pass.h"
#include "x11_test_support.h"

namespace tarvex::x11::testing {
namespace {

using namespace std::chrono_literals;

bool Managed(const std::set<std::string>& captions) {
  std::set<std::string> seen;
  for (const auto& window : WmctrlWindows()) seen.insert(window.caption);
  return std::includes(seen.begin(), seen.end(), captions.begin(), captions.end());
}

const Row* Find(const std::vector<Row>& rows, const std::string& caption) {
  const auto it = std::find_if(rows.begin(), rows.end(),
                               [&](const Row& row) { return row.caption == caption; });
  return it == rows.end() ? nullptr : &*it;
}

class ManagedDisplay : public ::testing::Test {
 protected:
  // Windows of the previous test leave the manager's list a moment after their clients go.
  void SetUp() override {
    ASSERT_TRUE(WaitUntil([] { return WmctrlWindows().empty(); }));
  }

  XcbConnection connection;
  X11WindowSystem windows{connection};
  TestClient client;
};

TEST_F(ManagedDisplay, ListsWhatATaskbarShowsWithTheProcessesWmctrlReports) {
  Program one({"xterm", "-T", "x11 term one"});
  Program two({"xterm", "-T", "x11 term two"});
  Program eyes({"xeyes"});
  Program clock({"xclock"});
  // The cut at 254 bytes falls inside the euro sign (bytes 252 to 254).
  const std::string longCaption = std::string(252, 'a') + "\xE2\x82\xAC" + "tail";
  const xcb_window_t app = client.Create({.caption = "own app", .setPid = false});
  client.Create({.caption = "own dialog", .transientFor = app});
  client.Create({.caption = "own dialog without owner", .types = {"DIALOG"}});
  client.Create({.caption = "own dock", .types = {"DOCK"}});
  client.Create({.caption = "own splash", .types = {"SPLASH"}});
  client.Create({.caption = "own utility", .types = {"UTILITY"}});
  client.Create({.caption = "own notification", .types = {"NOTIFICATION"}});
  client.Create({.caption = "own menu", .types = {"_KDE_OVERRIDE", "POPUP_MENU", "NORMAL"}});
  client.Create({.caption = "own skip", .states = {"SKIP_TASKBAR"}});
  client.Create({.caption = "own override", .overrideRedirect = true});
  client.Create({.caption = "own unmapped", .map = false});
  client.Create({.caption = ""});
  client.Create({.caption = longCaption});
  const xcb_window_t iconic = client.Create({.caption = "own iconic"});
  ASSERT_TRUE(WaitUntil([] {
    return Managed({"x11 term one", "x11 term two", "xeyes", "xclock", "own iconic", "own dock"});
  }));
  windows.Show(iconic, kShowMinimized);
  ASSERT_TRUE(
      WaitUntil([&] { return Xprop(iconic, "WM_STATE").find("Iconic") != std::string::npos; }));

  const std::vector<Row> rows = ListWindows(windows);
  const std::string cut(252, 'a');
  std::multiset<std::string> expected = {"x11 term one",
                                         "x11 term two",
                                         "xeyes",
                                         "xclock",
                                         "own app",
                                         "own iconic",
                                         "own dialog without owner",
                                         cut};
  const auto listed = Captions(rows);
  EXPECT_EQ(std::multiset<std::string>(listed.begin(), listed.end()), expected);

  const std::string ownImage = std::filesystem::read_symlink("/proc/self/exe").filename().string();
  const std::map<std::string, std::pair<pid_t, std::string>> processes = {
      {"x11 term one", {one.Pid(), "xterm"}}, {"x11 term two", {two.Pid(), "xterm"}},
      {"xeyes", {eyes.Pid(), "xeyes"}},       {"xclock", {clock.Pid(), "xclock"}},
      {"own app", {::getpid(), ownImage}},    {"own iconic", {::getpid(), ownImage}}};
  for (const auto& [caption, process] : processes) {
    const Row* row = Find(rows, caption);
    ASSERT_NE(row, nullptr) << caption;
    EXPECT_EQ(row->pid, static_cast<std::uint32_t>(process.first)) << caption;
    EXPECT_EQ(row->exeName, process.second) << caption;
  }
  for (const ManagedWindow& managed : WmctrlWindows()) {
    const auto it = std::find_if(rows.begin(), rows.end(),
                                 [&](const Row& row) { return row.window == managed.window; });
    if (it != rows.end() && managed.pid != 0) {
      EXPECT_EQ(it->pid, managed.pid) << managed.caption;
    }
  }
  EXPECT_EQ(Find(rows, "x11 term one")->className, "XTerm");
  EXPECT_EQ(Find(rows, "own app")->className, "TarvexTest");
}

TEST_F(ManagedDisplay, RestoreMinimizeForegroundAndCloseAskTheManager) {
  Program term({"xterm", "-T", "x11 closing term"});
  const xcb_window_t big =
      client.Create({.caption = "own big", .states = {"MAXIMIZED_VERT", "MAXIMIZED_HORZ"}});
  const xcb_window_t other = client.Create({.caption = "own other"});
  ASSERT_TRUE(WaitUntil([] { return Managed({"own big", "own other", "x11 closing term"}); }));
  ASSERT_NE(Xprop(big, "_NET_WM_STATE").find("MAXIMIZED_HORZ"), std::string::npos);

  windows.Show(big, kShowMinimized);
  EXPECT_TRUE(
      WaitUntil([&] { return Xprop(big, "WM_STATE").find("Iconic") != std::string::npos; }));

  // Restore brings it back at its normal size and makes it the active window.
  windows.Show(big, kShowNormal);
  EXPECT_TRUE(WaitUntil([&] {
    return Xprop(big, "WM_STATE").find("Normal") != std::string::npos &&
           Xprop(big, "_NET_WM_STATE").find("MAXIMIZED") == std::string::npos &&
           ActiveWindow() == big;
  }));
  EXPECT_TRUE(WaitUntil([&] { return ListWindows(windows).front().window == big; }));

  windows.BringToForeground(other);
  EXPECT_TRUE(WaitUntil([&] { return ActiveWindow() == other; }));
  EXPECT_TRUE(WaitUntil([&] { return ListWindows(windows).front().window == other; }));

  // Closing asks: our window is told and stays; xterm takes the request and ends.
  windows.PostClose(other);
  EXPECT_TRUE(
      WaitUntil([&] { return !client.TakeClientMessages(client.atoms().WM_PROTOCOLS).empty(); }));
  EXPECT_TRUE(windows.Exists(other));
  const Row* termRow = nullptr;
  const auto rows = ListWindows(windows);
  termRow = Find(rows, "x11 closing term");
  ASSERT_NE(termRow, nullptr);
  windows.PostClose(termRow->window);
  EXPECT_TRUE(term.Ended(10s));
}

// Destroys its window when the enumeration reaches the first one: the pass has read the facts,
// the window is gone before any question about it.
struct Vanishing {
  TestClient& owner;
  xcb_window_t victim;
  static bool Visit(WinHandle /*window*/, std::intptr_t self) {
    auto& me = *reinterpret_cast<Vanishing*>(self);
    if (me.victim != XCB_WINDOW_NONE) me.owner.Destroy(std::exchange(me.victim, 0));
    return true;
  }
};

TEST_F(ManagedDisplay, VanishedWindowsGetOrdinaryAnswers) {
  const xcb_window_t victim = client.Create({.caption = "own victim"});
  client.Create({.caption = "own survivor"});
  ASSERT_TRUE(WaitUntil([] { return Managed({"own victim", "own survivor"}); }));

  Vanishing vanishing{client, victim};
  windows.Enumerate(&Vanishing::Visit, reinterpret_cast<std::intptr_t>(&vanishing));
  char caption[32];
  EXPECT_EQ(windows.WindowText(victim, caption, sizeof caption), 10);  // as the pass saw it
  EXPECT_TRUE(windows.IsVisible(victim));
  ASSERT_TRUE(WaitUntil([] { return !Managed({"own victim"}); }));
  const auto after = Captions(ListWindows(windows));
  EXPECT_EQ(std::find(after.begin(), after.end(), "own victim"), after.end());

  for (const WinHandle gone : {WinHandle{victim}, WinHandle{0}, WinHandle{0xFFFFFFFFu}}) {
    char text[16] = "untouched";
    EXPECT_EQ(windows.WindowText(gone, text, sizeof text), 0);
    EXPECT_STREQ(text, "");
    EXPECT_EQ(windows.ClassName(gone, text, sizeof text), 0);
    EXPECT_FALSE(windows.IsVisible(gone));
    EXPECT_FALSE(windows.Exists(gone));
    EXPECT_EQ(windows.Owner(gone), 0u);
    for (const int index : {GWL_STYLE_INDEX, GWL_EXSTYLE_INDEX, GWL_HWNDPARENT_INDEX}) {
      EXPECT_EQ(windows.WindowLong(gone, index), 0);
    }
    std::uint32_t pid = 77;
    EXPECT_EQ(windows.ThreadProcessId(gone, &pid), 0u);
    EXPECT_EQ(pid, 0u);
    windows.Show(gone, kShowNormal);
    windows.Show(gone, kShowMinimized);
    windows.BringToForeground(gone);
    windows.PostClose(gone);
  }
  EXPECT_TRUE(connection.Works());
  const auto still = Captions(ListWindows(windows));
  EXPECT_NE(std::find(still.begin(), still.end(), "own survivor"), still.end());
}

unsigned NextSequence(xcb_connection_t* c) {
  const auto cookie = xcb_get_input_focus(c);
  xcb_discard_reply(c, cookie.sequence);
  return cookie.sequence;
}

TEST_F(ManagedDisplay, APassAsksForAllWindowsInOneBatchAndItsQuestionsCostNoRequests) {
  constexpr int kWindows = 200;
  std::set<std::string> captions;
  for (int i = 0; i < kWindows; ++i) {
    captions.insert("own many " + std::to_string(i));
    client.Create({.caption = "own many " + std::to_string(i)});
  }
  ASSERT_TRUE(WaitUntil([&] { return Managed(captions); }, 30s));

  xcb_connection_t* c = connection.get();
  const unsigned before = NextSequence(c);
  const std::vector<WinHandle> seen = Enumerated(windows);
  const unsigned afterEnumerate = NextSequence(c);
  ASSERT_GE(seen.size(), static_cast<std::size_t>(kWindows));
  // A few requests for the root and one batch of a fixed number per window.
  EXPECT_LE(afterEnumerate - before - 1, 12 * seen.size() + 8);

  std::size_t ours = 0;
  for (const WinHandle window : seen) {
    char text[256];
    std::uint32_t pid = 0;
    windows.WindowText(window, text, sizeof text);
    windows.IsVisible(window);
    windows.Owner(window);
    windows.Exists(windows.LastActivePopup(window));
    windows.WindowLong(window, GWL_STYLE_INDEX);
    windows.WindowLong(window, GWL_EXSTYLE_INDEX);
    windows.WindowLong(window, GWL_HWNDPARENT_INDEX);
    windows.ClassName(window, text, sizeof text);
    windows.ThreadProcessId(window, &pid);
    if (pid == static_cast<std::uint32_t>(::getpid())) ++ours;
  }
  EXPECT_EQ(ours, static_cast<std::size_t>(kWindows));
  EXPECT_EQ(NextSequence(c), afterEnumerate + 1);

  // A request ends the pass: the next question is answered afresh.
  windows.BringToForeground(seen.front());
  const unsigned afterRequest = NextSequence(c);
  windows.IsVisible(seen.front());
  EXPECT_GT(NextSequence(c), afterRequest + 1);
}

TEST_F(ManagedDisplay, TheManagerTellsTheFrameBeforeTheFirstMapAsItDrawsItAfter) {
  const xcb_window_t window = client.Create({.caption = "own framed", .map = false});
  client.Sync();
  FrameWatch watch(window);
  const FrameExtents told = watch.AskBeforeMap(10s);
  EXPECT_GT(told.top, 0);

  xcb_map_window(client.Connection().get(), window);
  client.Sync();
  ASSERT_TRUE(WaitUntil([] { return Managed({"own framed"}); }));
  const std::string drawn = Xprop(window, "_NET_FRAME_EXTENTS");
  EXPECT_NE(drawn.find(" = " + std::to_string(told.left) + ", " + std::to_string(told.right) +
                       ", " + std::to_string(told.top) + ", " + std::to_string(told.bottom)),
            std::string::npos)
      << drawn;
}

}  // namespace
}  // namespace tarvex::x11::testing
