#include "linux/tray/x11_hot_keys.h"

#include <QCoreApplication>
#include <X11/keysym.h>
#include <xcb/xcb_keysyms.h>

#include <algorithm>
#include <stdexcept>

#include "linux/qt/guarded_call.h"
#include "linux/tray/xcb_support.h"

namespace tarvex::qt {
namespace {

constexpr std::uint8_t kEventTypeMask = 0x7F;  // the top bit marks events sent by a client

using KeySymbols = std::unique_ptr<xcb_key_symbols_t, decltype(&xcb_key_symbols_free)>;

std::vector<xcb_keycode_t> KeycodesOf(xcb_connection_t* connection, xcb_keysym_t keysym) {
  const KeySymbols symbols(xcb_key_symbols_alloc(connection), &xcb_key_symbols_free);
  std::vector<xcb_keycode_t> keycodes;
  if (!symbols) return keycodes;
  const x11::Reply<xcb_keycode_t> list(xcb_key_symbols_get_keycode(symbols.get(), keysym));
  for (const xcb_keycode_t* code = list.get(); code != nullptr && *code != XCB_NO_SYMBOL; ++code) {
    keycodes.push_back(*code);
  }
  return keycodes;
}

// Num Lock is whichever modifier the keymap binds its key to (usually Mod2); 0 when none is.
std::uint16_t NumLockMask(xcb_connection_t* connection) {
  const std::vector<xcb_keycode_t> numLock = KeycodesOf(connection, XK_Num_Lock);
  const x11::Reply<xcb_get_modifier_mapping_reply_t> map(
      xcb_get_modifier_mapping_reply(connection, xcb_get_modifier_mapping(connection), nullptr));
  if (!map || numLock.empty()) return 0;
  const xcb_keycode_t* keycodes = xcb_get_modifier_mapping_keycodes(map.get());
  const int perModifier = map->keycodes_per_modifier;
  for (int modifier = 0; modifier < 8; ++modifier) {
    const xcb_keycode_t* first = keycodes + modifier * perModifier;
    const bool bound = std::any_of(first, first + perModifier, [&](xcb_keycode_t code) {
      return std::find(numLock.begin(), numLock.end(), code) != numLock.end();
    });
    if (bound) return static_cast<std::uint16_t>(1u << modifier);
  }
  return 0;
}

}  // namespace

X11HotKeys::X11HotKeys(Pressed onHotKey, FailureSink failures)
    : connection_(QtXcbConnection()), onHotKey_(std::move(onHotKey)), failures_(failures) {
  const xcb_screen_t* screen = DefaultScreen(connection_);
  if (screen == nullptr) throw std::runtime_error("The X display has no screen");
  root_ = screen->root;
  QCoreApplication::instance()->installNativeEventFilter(this);
}

X11HotKeys::~X11HotKeys() {
  QCoreApplication::instance()->removeNativeEventFilter(this);
  for (const auto& entry : registrations_) Ungrab(entry.second.grabs);
  xcb_flush(connection_);
}

void X11HotKeys::Register(int id, int functionKey) {
  Unregister(id);
  registrations_[id] = {functionKey, Grab(functionKey)};
}

void X11HotKeys::Unregister(int id) {
  const auto found = registrations_.find(id);
  if (found == registrations_.end()) return;
  Ungrab(found->second.grabs);
  registrations_.erase(found);
  xcb_flush(connection_);
}

std::vector<X11HotKeys::KeyGrab> X11HotKeys::Grab(int functionKey) const {
  if (functionKey < 1 || functionKey > kLastFunctionKey) return {};
  // The key must work whatever Num Lock and Caps Lock say, as a function key does on Windows.
  const std::uint16_t numLock = NumLockMask(connection_);
  std::vector<std::uint16_t> variants = {0, XCB_MOD_MASK_LOCK};
  if (numLock != 0) {
    variants.push_back(numLock);
    variants.push_back(static_cast<std::uint16_t>(numLock | XCB_MOD_MASK_LOCK));
  }
  std::vector<KeyGrab> grabs;
  std::vector<xcb_void_cookie_t> requests;
  for (const xcb_keycode_t keycode :
       KeycodesOf(connection_, static_cast<xcb_keysym_t>(XK_F1 + functionKey - 1))) {
    for (const std::uint16_t modifiers : variants) {
      grabs.push_back({keycode, modifiers});
      // Not owner_events: the press comes to the root window even while one of our own
      // windows has the focus, as the hot key does on Windows.
      requests.push_back(xcb_grab_key_checked(connection_, 0, root_, modifiers, keycode,
                                              XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
    }
  }
  bool held = !requests.empty();
  for (const xcb_void_cookie_t request : requests) {
    // BadAccess: another client holds the key with these modifiers.
    const x11::Reply<xcb_generic_error_t> error(xcb_request_check(connection_, request));
    if (error) held = false;
  }
  // All or nothing, as RegisterHotKey: a key that works only with Num Lock on would puzzle.
  if (!held) {
    Ungrab(grabs);
    xcb_flush(connection_);
    return {};
  }
  return grabs;
}

void X11HotKeys::Ungrab(const std::vector<KeyGrab>& grabs) const {
  // Releases only our own grabs: another client's grab of the same key is untouched.
  for (const KeyGrab& grab : grabs) {
    xcb_ungrab_key(connection_, grab.keycode, root_, grab.modifiers);
  }
}

void X11HotKeys::GrabAgainAfterKeymapChange() {
  for (auto& entry : registrations_) {
    Registration& registration = entry.second;
    Ungrab(registration.grabs);
    registration.grabs = Grab(registration.functionKey);
  }
  xcb_flush(connection_);
}

bool X11HotKeys::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  const std::uint8_t type = event->response_type & kEventTypeMask;
  if (type == XCB_MAPPING_NOTIFY) {
    const auto* mapping = static_cast<const xcb_mapping_notify_event_t*>(message);
    if (mapping->request != XCB_MAPPING_POINTER && !registrations_.empty()) {
      RunGuarded(failures_, [this] { GrabAgainAfterKeymapChange(); });
    }
    return false;  // Qt keeps its own keymap up to date from the same event
  }
  if (type != XCB_KEY_PRESS && type != XCB_KEY_RELEASE) return false;
  const auto* key = static_cast<const xcb_key_press_event_t*>(message);
  if (key->event != root_) return false;
  for (const auto& [id, registration] : registrations_) {
    const auto& grabs = registration.grabs;
    const bool ours = std::any_of(grabs.begin(), grabs.end(),
                                  [&](const KeyGrab& grab) { return grab.keycode == key->detail; });
    if (!ours) continue;
    if (type == XCB_KEY_PRESS) {
      RunGuarded(failures_, [this, hotKey = id] { onHotKey_(hotKey); });
    }
    return true;
  }
  return false;
}

}  // namespace tarvex::qt
