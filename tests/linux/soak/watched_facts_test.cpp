// The window system keeps the facts of listed windows from pass to pass and the names of
// processes for the length of one rebuild. Whatever changes between two passes must show in the
// second one all the same.
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <filesystem>
#include <string>
#include <thread>

#include "linux/x11/proc_tool_help_library.h"
#include "linux/x11/x11_window_system.h"
#include "managed_state.h"
#include "winlist/tool_help_binding.h"
#include "x11_pass.h"
#include "x11_test_support.h"

namespace tarvex::soak {
namespace {

using x11::testing::Captions;
using x11::testing::ListWindows;

bool Listed(WindowSystem& windows, const std::string& caption) {
  const auto captions = Captions(ListWindows(windows));
  return std::find(captions.begin(), captions.end(), caption) != captions.end();
}

TEST(WatchedFacts, EveryChangeBetweenTwoPassesShowsInTheSecond) {
  x11::testing::TestClient client;
  xcb_connection_t* c = client.Connection().get();
  const xcb_window_t window = client.Create({.caption = "Watched before"});
  ASSERT_TRUE(WaitForManager(c, window, true));
  x11::XcbConnection connection;
  x11::X11WindowSystem windows(connection);
  ASSERT_TRUE(Listed(windows, "Watched before"));

  // A new caption: with the same window the list keeps its rows, the window system does not.
  const std::string caption = "Watched after";
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, client.atoms()._NET_WM_NAME,
                      client.atoms().UTF8_STRING, 8, static_cast<std::uint32_t>(caption.size()),
                      caption.data());
  client.Sync();
  x11::testing::Enumerated(windows);
  char text[64] = {};
  windows.WindowText(window, text, sizeof text);
  EXPECT_EQ(std::string(text), caption);

  // A utility palette is no taskbar window.
  client.SetProperty(window, client.atoms()._NET_WM_WINDOW_TYPE, XCB_ATOM_ATOM,
                     {client.atoms()._NET_WM_WINDOW_TYPE_UTILITY});
  client.Sync();
  EXPECT_FALSE(Listed(windows, caption));
  client.SetProperty(window, client.atoms()._NET_WM_WINDOW_TYPE, XCB_ATOM_ATOM,
                     {client.atoms()._NET_WM_WINDOW_TYPE_NORMAL});
  client.Sync();
  EXPECT_TRUE(Listed(windows, caption));

  // Unmapped (withdrawn) and mapped again.
  xcb_unmap_window(c, window);
  ASSERT_TRUE(WaitForManager(c, window, false));
  EXPECT_FALSE(Listed(windows, caption));
  xcb_map_window(c, window);
  ASSERT_TRUE(WaitForManager(c, window, true));
  EXPECT_TRUE(Listed(windows, caption));

  // Minimized by the manager: still listed, now with the minimized style.
  windows.Show(window, kShowMinimized);
  ASSERT_TRUE(WaitForManager(c, window, false));
  x11::testing::Enumerated(windows);
  EXPECT_NE(static_cast<std::uint32_t>(windows.WindowLong(window, GWL_STYLE_INDEX)) & 0x20000000u,
            0u);
  EXPECT_TRUE(windows.IsVisible(window));

  client.Destroy(window);
  ASSERT_TRUE(x11::testing::WaitUntil([&] { return !Listed(windows, caption); }));
  EXPECT_FALSE(windows.Exists(window));
}

TEST(WatchedFacts, AWindowRetitledInALoopCostsOneReportUntilTheNextPass) {
  x11::testing::TestClient client;
  xcb_connection_t* c = client.Connection().get();
  const xcb_window_t window = client.Create({.caption = "Retitled 0"});
  ASSERT_TRUE(WaitForManager(c, window, true));
  x11::XcbConnection connection;
  x11::X11WindowSystem windows(connection);
  ASSERT_TRUE(Listed(windows, "Retitled 0"));
  const auto retitle = [&](int times) {
    for (int i = 1; i <= times; ++i) {
      const std::string caption = "Retitled " + std::to_string(i);
      xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, client.atoms()._NET_WM_NAME,
                          client.atoms().UTF8_STRING, 8, static_cast<std::uint32_t>(caption.size()),
                          caption.data());
    }
    client.Sync();
  };
  const int fd = xcb_get_file_descriptor(connection.get());
  pollfd input{fd, POLLIN, 0};

  // The first report arrives and is read, as the program's event loop reads it.
  retitle(1);
  ASSERT_EQ(::poll(&input, 1, 5000), 1);
  windows.ReadEvents();
  ASSERT_TRUE(windows.ManagerRuns());  // a round trip: the server has read all we sent
  retitle(20000);
  int pending = -1;
  ASSERT_EQ(::ioctl(fd, FIONREAD, &pending), 0);
  EXPECT_EQ(pending, 0) << "every change was reported, and would pile up until the next pass";
  EXPECT_TRUE(Listed(windows, "Retitled 20000"));
  retitle(3);  // watched again since that pass
  EXPECT_TRUE(Listed(windows, "Retitled 3"));
}

TEST(WatchedFacts, AWindowThatChangedAndWentIsNotTakenForTheNextOneUnderItsId) {
  x11::XcbConnection connection;
  x11::X11WindowSystem windows(connection);
  xcb_window_t window = XCB_WINDOW_NONE;
  std::uint32_t life = 0;
  {
    x11::testing::TestClient first;
    window = first.Create({.caption = "Same caption"});
    ASSERT_TRUE(WaitForManager(first.Connection().get(), window, true));
    ASSERT_TRUE(Listed(windows, "Same caption"));
    std::uint32_t pid = 0;
    life = windows.ThreadProcessId(window, &pid);
    // A change that the next pass has yet to look at, read as the event loop reads it.
    const std::size_t watched = windows.WatchedWindows();
    first.SetProperty(window, first.atoms()._NET_WM_WINDOW_TYPE, XCB_ATOM_ATOM,
                      {first.atoms()._NET_WM_WINDOW_TYPE_NORMAL});
    first.Sync();
    pollfd input{xcb_get_file_descriptor(connection.get()), POLLIN, 0};
    ASSERT_EQ(::poll(&input, 1, 5000), 1);
    windows.ReadEvents();
    ASSERT_EQ(windows.WatchedWindows(), watched - 1);
    ASSERT_TRUE(windows.ManagerRuns());  // a round trip: the server has read all we sent
  }
  // The server hands the ended client's ids to the next one; same process, same caption.
  x11::testing::TestClient second;
  const xcb_window_t successor = second.Create({.caption = "Same caption"});
  ASSERT_EQ(successor, window) << "the server did not hand the id on";
  ASSERT_TRUE(WaitForManager(second.Connection().get(), successor, true));
  std::uint32_t pid = 0;
  EXPECT_NE(windows.ThreadProcessId(successor, &pid), life);
}

TEST(WatchedFacts, WindowsThatLeftTheListAreForgotten) {
  x11::testing::TestClient client;
  std::vector<xcb_window_t> made;
  for (int i = 0; i < 20; ++i) made.push_back(client.Create({.caption = "Short-lived"}));
  ASSERT_TRUE(WaitForManager(client.Connection().get(), made.back(), true));
  x11::XcbConnection connection;
  x11::X11WindowSystem windows(connection);
  const std::size_t withThem = x11::testing::Enumerated(windows).size();
  EXPECT_GE(windows.WatchedWindows(), made.size());
  for (const xcb_window_t window : made) client.Destroy(window);
  ASSERT_TRUE(x11::testing::WaitUntil(
      [&] { return x11::testing::Enumerated(windows).size() + made.size() == withThem; }));
  EXPECT_EQ(windows.WatchedWindows(), withThem - made.size());
}

TEST(ProcessNames, ANameIsReadAfreshByTheNextRefresh) {
  namespace fs = std::filesystem;
  const fs::path root = fs::temp_directory_path() / ("tarvex-names-" + std::to_string(::getpid()));
  fs::remove_all(root);
  fs::create_directories(root / "10");
  fs::create_symlink("/usr/bin/before", root / "10" / "exe");
  x11::ProcToolHelpLibrary library(root);
  ToolHelpBinding binding(library);
  const auto nameOf10 = [&] {
    ScopedSnapshot snapshot(binding, binding.CreateToolhelp32Snapshot(kSnapProcess, 10));
    ProcessEntry entry;
    return binding.Process32First(snapshot.get(), entry) ? entry.exeFile : std::string();
  };
  EXPECT_EQ(nameOf10(), "before");
  // The process runs another program now (exec), as the next refresh must see.
  fs::remove(root / "10" / "exe");
  fs::create_symlink("/usr/bin/after", root / "10" / "exe");
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(nameOf10(), "after");
  fs::remove_all(root);
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  EXPECT_EQ(nameOf10(), "") << "a process that ended is not found";
}

}  // namespace
}  // namespace tarvex::soak
