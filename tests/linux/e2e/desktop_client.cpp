// Another application's windows for the end-to-end tests, from a process of its own so that its
// windows carry a process id other than the test's.
//
//   tarvex_e2e_client odd <ready file>    the windows a taskbar leaves out, and one without
//                                          _NET_WM_PID; then waits to be ended
//   tarvex_e2e_client storm <ready file>  creates and destroys windows until it is ended
//   tarvex_e2e_client one <ready file> <caption>
//                                          one window, whose id follows "ready" in the file;
//                                          ends when the window is asked to close, as an
//                                          application would
//   tarvex_e2e_client unsaved <ready file> <caption>
//                                          one window with unsaved work: asked to close, it stays
//                                          and asks "Save changes?" in a window of its own, which
//                                          goes when it is asked to close (the answer Cancel)
//   tarvex_e2e_client tray <ready file>   a system tray that never embeds an icon
//   tarvex_e2e_client session <ready file>
//                                          a session manager for one logout (session_manager.h)
//
// "ready" is written to the file once the windows stand (odd), the first one stood (storm) or
// the tray selection is taken (tray).
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <deque>
#include <fstream>
#include <string>
#include <thread>

#include "session_manager.h"
#include "x11_test_support.h"

namespace {

using tarvex::x11::testing::TestClient;

void ReportReady(const char* file) { std::ofstream(file) << "ready\n"; }

void OddWindows(TestClient& client, const char* readyFile) {
  const xcb_window_t main = client.Create({.caption = "E2E no pid", .setPid = false});
  client.Create({.caption = "E2E dialog", .transientFor = main});
  client.Create({.caption = "E2E dock", .types = {"DOCK"}});
  client.Create({.caption = "E2E skip taskbar", .states = {"SKIP_TASKBAR"}});
  client.Create({.caption = "E2E override", .overrideRedirect = true});
  client.Create({.caption = "E2E unmapped", .map = false});
  ReportReady(readyFile);
  for (;;) ::pause();
}

// New windows must not take the focus from the program under test, which the user is typing in.
xcb_window_t Unfocused(TestClient& client, const std::string& caption) {
  const xcb_window_t window = client.Create({.caption = caption, .map = false});
  client.SetProperty(window, client.Atom("_NET_WM_USER_TIME"), XCB_ATOM_CARDINAL, {0});
  xcb_map_window(client.Connection().get(), window);
  client.Sync();
  return window;
}

void Storm(TestClient& client, const char* readyFile) {
  std::deque<xcb_window_t> alive;
  for (unsigned long count = 0;; ++count) {
    alive.push_back(Unfocused(client, "Storm " + std::to_string(count)));
    if (count == 0) ReportReady(readyFile);
    if (alive.size() > 6) {
      client.Destroy(alive.front());
      alive.pop_front();
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(2));
  }
}

void OneWindow(TestClient& client, const char* readyFile, const std::string& caption) {
  const xcb_window_t window = client.Create({.caption = caption});
  std::ofstream(readyFile) << "ready " << window << "\n";
  while (client.TakeClientMessages(client.atoms().WM_PROTOCOLS).empty()) {
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

// As an editor does: a close request is answered with a question, never by closing.
void UnsavedWork(TestClient& client, const char* readyFile, const std::string& caption) {
  const xcb_window_t window = client.Create({.caption = caption});
  xcb_window_t prompt = XCB_WINDOW_NONE;
  std::ofstream(readyFile) << "ready " << window << "\n";
  for (;;) {
    for (const auto& message : client.TakeClientMessages(client.atoms().WM_PROTOCOLS)) {
      if (message.window == window && prompt == XCB_WINDOW_NONE) {
        prompt = client.Create({.caption = "Save changes?", .transientFor = window});
      } else if (message.window == prompt) {
        client.Destroy(prompt);
        prompt = XCB_WINDOW_NONE;
      }
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3 && argc != 4) {
    std::fprintf(
        stderr,
        "usage: %s odd|storm|tray|session <ready file> | one|unsaved <ready file> <caption>\n",
        argv[0]);
    return 2;
  }
  const std::string mode = argv[1];
  if (mode == "session") {
    RunSessionManager(argv[2]);
    return 2;
  }
  TestClient client;
  if (mode == "odd") OddWindows(client, argv[2]);
  if (mode == "storm") Storm(client, argv[2]);
  if (mode == "one" && argc == 4) {
    OneWindow(client, argv[2], argv[3]);
    return 0;
  }
  if (mode == "unsaved" && argc == 4) UnsavedWork(client, argv[2], argv[3]);
  if (mode == "tray") {
    client.TakeTraySelection();
    ReportReady(argv[2]);
    for (;;) ::pause();
  }
  return 2;
}
