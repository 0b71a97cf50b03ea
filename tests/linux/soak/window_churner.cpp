// window_churner: a storm of windows. Creates and destroys top-level windows ("Churn window N")
// as fast as the window manager takes them, keeping a few alive at a time, and records what
// reached them. Faster would be no storm for a lister: a manager that falls behind lists none of
// the windows, which are gone before it gets to them. Prints "ready" once it runs; when its
// standard input is closed it stops and prints one line per thing received, then "done":
//   delete CAPTION     the window was asked to close (WM_DELETE_WINDOW)
//   iconic CAPTION     the window was minimized (WM_STATE became Iconic)
#include <poll.h>
#include <unistd.h>
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <deque>
#include <map>
#include <memory>
#include <string>
#include <vector>

namespace {

struct FreeDeleter {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Owned = std::unique_ptr<T, FreeDeleter>;

constexpr std::size_t kAlive = 12;
constexpr int kManagerPatienceMs = 100;
constexpr std::uint32_t kIconicState = 3;

xcb_atom_t Intern(xcb_connection_t* c, const char* name) {
  const Owned<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<std::uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

class Churner {
 public:
  explicit Churner(xcb_connection_t* c)
      : c_(c),
        screen_(xcb_setup_roots_iterator(xcb_get_setup(c)).data),
        netWmName_(Intern(c, "_NET_WM_NAME")),
        utf8_(Intern(c, "UTF8_STRING")),
        netWmPid_(Intern(c, "_NET_WM_PID")),
        protocols_(Intern(c, "WM_PROTOCOLS")),
        deleteWindow_(Intern(c, "WM_DELETE_WINDOW")),
        wmState_(Intern(c, "WM_STATE")) {}

  void Step() {
    Create();
    if (alive_.size() > kAlive) {
      xcb_destroy_window(c_, alive_.front());
      alive_.pop_front();
    }
    xcb_flush(c_);
    // The manager writes WM_STATE when it takes a window.
    const xcb_window_t newest = alive_.back();
    pollfd server{xcb_get_file_descriptor(c_), POLLIN, 0};
    while (ReadEvents() != newest && poll(&server, 1, kManagerPatienceMs) > 0) {
    }
  }
  void Report() {
    ReadEvents();
    for (const std::string& line : received_) std::printf("%s\n", line.c_str());
    std::printf("done\n");
    std::fflush(stdout);
  }

 private:
  void Create() {
    const xcb_window_t window = xcb_generate_id(c_);
    const std::uint32_t values[] = {screen_->white_pixel, XCB_EVENT_MASK_PROPERTY_CHANGE};
    xcb_create_window(c_, XCB_COPY_FROM_PARENT, window, screen_->root,
                      static_cast<std::int16_t>(serial_ % 600), 40, 160, 60, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen_->root_visual,
                      XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
    const std::string caption = "Churn window " + std::to_string(serial_++);
    for (const xcb_atom_t property : {netWmName_, xcb_atom_t{XCB_ATOM_WM_NAME}}) {
      xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window, property,
                          property == netWmName_ ? utf8_ : xcb_atom_t{XCB_ATOM_STRING}, 8,
                          static_cast<std::uint32_t>(caption.size()), caption.data());
    }
    const std::uint32_t pid = static_cast<std::uint32_t>(getpid());
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window, netWmPid_, XCB_ATOM_CARDINAL, 32, 1,
                        &pid);
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, window, protocols_, XCB_ATOM_ATOM, 32, 1,
                        &deleteWindow_);
    xcb_map_window(c_, window);
    captions_[window] = caption;
    alive_.push_back(window);
  }

  // Returns the last window whose state changed, if any.
  xcb_window_t ReadEvents() {
    std::vector<xcb_window_t> stateChanged;
    while (xcb_generic_event_t* raw = xcb_poll_for_event(c_)) {
      const Owned<xcb_generic_event_t> event(raw);
      const auto type = event->response_type & 0x7F;
      if (type == XCB_CLIENT_MESSAGE) {
        const auto* message = reinterpret_cast<xcb_client_message_event_t*>(raw);
        if (message->type == protocols_ && message->data.data32[0] == deleteWindow_) {
          received_.push_back("delete " + captions_[message->window]);
        }
      } else if (type == XCB_PROPERTY_NOTIFY) {
        const auto* notify = reinterpret_cast<xcb_property_notify_event_t*>(raw);
        if (notify->atom == wmState_) stateChanged.push_back(notify->window);
      }
    }
    for (const xcb_window_t window : stateChanged) {
      xcb_generic_error_t* error = nullptr;
      const Owned<xcb_get_property_reply_t> state(xcb_get_property_reply(
          c_, xcb_get_property(c_, 0, window, wmState_, wmState_, 0, 2), &error));
      std::free(error);
      if (!state || state->format != 32 || state->value_len < 1) continue;
      if (*static_cast<const std::uint32_t*>(xcb_get_property_value(state.get())) == kIconicState) {
        received_.push_back("iconic " + captions_[window]);
      }
    }
    return stateChanged.empty() ? xcb_window_t{XCB_WINDOW_NONE} : stateChanged.back();
  }

  xcb_connection_t* c_;
  const xcb_screen_t* screen_;
  const xcb_atom_t netWmName_, utf8_, netWmPid_, protocols_, deleteWindow_, wmState_;
  std::deque<xcb_window_t> alive_;
  std::map<xcb_window_t, std::string> captions_;
  std::vector<std::string> received_;
  int serial_ = 0;
};

}  // namespace

int main() {
  xcb_connection_t* c = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(c) != 0) {
    std::fprintf(stderr, "window_churner: cannot open the display\n");
    return 2;
  }
  {
    Churner churner(c);
    churner.Step();
    std::printf("ready\n");
    std::fflush(stdout);
    pollfd input{STDIN_FILENO, POLLIN, 0};
    for (;;) {
      if (poll(&input, 1, 0) > 0) {
        char buffer[64];
        if (read(STDIN_FILENO, buffer, sizeof(buffer)) <= 0) break;
      }
      if (xcb_connection_has_error(c) != 0) return 3;
      churner.Step();
    }
    churner.Report();
  }
  xcb_disconnect(c);
  return 0;
}
