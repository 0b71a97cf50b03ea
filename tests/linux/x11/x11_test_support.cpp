#include "x11_test_support.h"

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <memory>
#include <sstream>
#include <thread>

#include "linux/x11/reply.h"

namespace tarvex::x11::testing {

TestClient::TestClient() : atoms_(InternAtoms(connection_.get())) {}

xcb_atom_t TestClient::Atom(const std::string& name) {
  xcb_connection_t* c = connection_.get();
  Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(name.size()), name.c_str()), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

void TestClient::SetProperty(xcb_window_t window, xcb_atom_t property, xcb_atom_t type,
                             std::vector<std::uint32_t> values) {
  xcb_change_property(connection_.get(), XCB_PROP_MODE_REPLACE, window, property, type, 32,
                      static_cast<std::uint32_t>(values.size()), values.data());
}

xcb_window_t TestClient::Create(const WindowSpec& shape) {
  xcb_connection_t* c = connection_.get();
  const xcb_window_t window = xcb_generate_id(c);
  const std::uint32_t values[] = {shape.overrideRedirect ? 1u : 0u};
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window, connection_.Root(), 10, 10, 200, 100, 0,
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT, XCB_CW_OVERRIDE_REDIRECT,
                    values);
  const auto text = [&](xcb_atom_t property, xcb_atom_t type, const std::string& value) {
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, property, type, 8,
                        static_cast<std::uint32_t>(value.size()), value.data());
  };
  if (!shape.caption.empty()) {
    text(atoms_._NET_WM_NAME, atoms_.UTF8_STRING, shape.caption);
    text(XCB_ATOM_WM_NAME, XCB_ATOM_STRING, shape.caption);
  }
  text(XCB_ATOM_WM_CLASS, XCB_ATOM_STRING,
       "tarvex-test" + std::string(1, '\0') + shape.className + std::string(1, '\0'));
  if (shape.setPid) {
    SetProperty(window, atoms_._NET_WM_PID, XCB_ATOM_CARDINAL,
                {static_cast<std::uint32_t>(::getpid())});
  }
  if (shape.takesDelete) {
    SetProperty(window, atoms_.WM_PROTOCOLS, XCB_ATOM_ATOM, {atoms_.WM_DELETE_WINDOW});
  }
  if (shape.transientFor != XCB_WINDOW_NONE) {
    SetProperty(window, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, {shape.transientFor});
  }
  const auto atomList = [&](xcb_atom_t property, const std::string& prefix,
                            const std::vector<std::string>& names) {
    if (names.empty()) return;
    std::vector<std::uint32_t> atoms;
    for (const auto& name : names) atoms.push_back(Atom(prefix + name));
    SetProperty(window, property, XCB_ATOM_ATOM, atoms);
  };
  atomList(atoms_._NET_WM_WINDOW_TYPE, "_NET_WM_WINDOW_TYPE_", shape.types);
  atomList(atoms_._NET_WM_STATE, "_NET_WM_STATE_", shape.states);
  if (shape.map) xcb_map_window(c, window);
  Sync();
  return window;
}

void TestClient::Destroy(xcb_window_t window) {
  xcb_destroy_window(connection_.get(), window);
  Sync();
}

void TestClient::Sync() {
  xcb_connection_t* c = connection_.get();
  free(xcb_get_input_focus_reply(c, xcb_get_input_focus(c), nullptr));
}

void TestClient::TakeTraySelection() {
  const xcb_window_t owner = Create({.caption = "", .map = false});
  const xcb_atom_t selection = Atom("_NET_SYSTEM_TRAY_S0");
  xcb_set_selection_owner(connection_.get(), owner, selection, XCB_CURRENT_TIME);
  xcb_client_message_event_t announcement{};
  announcement.response_type = XCB_CLIENT_MESSAGE;
  announcement.format = 32;
  announcement.window = connection_.Root();
  announcement.type = Atom("MANAGER");
  announcement.data.data32[0] = XCB_CURRENT_TIME;
  announcement.data.data32[1] = selection;
  announcement.data.data32[2] = owner;
  xcb_send_event(connection_.get(), 0, connection_.Root(), XCB_EVENT_MASK_STRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&announcement));
  Sync();
}

std::vector<xcb_client_message_event_t> TestClient::TakeClientMessages(xcb_atom_t type) {
  Sync();
  while (xcb_generic_event_t* event = xcb_poll_for_event(connection_.get())) {
    const Reply<xcb_generic_event_t> owned(event);
    if ((event->response_type & 0x7F) == XCB_CLIENT_MESSAGE) {
      received_.push_back(*reinterpret_cast<xcb_client_message_event_t*>(event));
    }
  }
  std::vector<xcb_client_message_event_t> matching;
  std::erase_if(received_, [&](const xcb_client_message_event_t& message) {
    if (message.type != type) return false;
    matching.push_back(message);
    return true;
  });
  return matching;
}

Program::Program(std::vector<std::string> argv) {
  pid_ = ::fork();
  if (pid_ == 0) {
    std::vector<char*> args;
    for (auto& arg : argv) args.push_back(arg.data());
    args.push_back(nullptr);
    ::execvp(args[0], args.data());
    ::_exit(127);
  }
}

Program::~Program() {
  if (pid_ <= 0 || reaped_) return;
  ::kill(pid_, SIGTERM);
  ::waitpid(pid_, nullptr, 0);
}

bool Program::Ended(std::chrono::milliseconds within) {
  if (reaped_) return true;
  reaped_ = WaitUntil([&] { return ::waitpid(pid_, nullptr, WNOHANG) == pid_; }, within);
  return reaped_;
}

std::string Output(const std::string& command) {
  std::unique_ptr<FILE, int (*)(FILE*)> pipe(::popen(command.c_str(), "r"), ::pclose);
  std::string text;
  if (!pipe) return text;
  char chunk[4096];
  while (const std::size_t n = std::fread(chunk, 1, sizeof(chunk), pipe.get())) {
    text.append(chunk, n);
  }
  return text;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

std::vector<ManagedWindow> WmctrlWindows() {
  std::vector<ManagedWindow> windows;
  std::istringstream lines(Output("wmctrl -lp"));
  std::string line;
  while (std::getline(lines, line)) {
    std::istringstream fields(line);
    std::string id, desktop, pid, host;
    if (!(fields >> id >> desktop >> pid >> host)) continue;
    std::string caption;
    std::getline(fields, caption);
    if (!caption.empty() && caption[0] == ' ') caption.erase(0, 1);
    windows.push_back({static_cast<xcb_window_t>(std::stoul(id, nullptr, 16)),
                       static_cast<std::uint32_t>(std::stoul(pid)), caption});
  }
  return windows;
}

std::string Xprop(xcb_window_t window, const std::string& property) {
  return Output("xprop -id " + std::to_string(window) + " " + property + " 2>&1");
}

}  // namespace tarvex::x11::testing

namespace tarvex::x11::testing {

xcb_window_t ActiveWindow() {
  const std::string text = Output("xprop -root _NET_ACTIVE_WINDOW");
  const std::size_t hex = text.find("0x");
  return hex == std::string::npos
             ? xcb_window_t{XCB_WINDOW_NONE}
             : static_cast<xcb_window_t>(std::stoul(text.substr(hex), nullptr, 16));
}

}  // namespace tarvex::x11::testing
