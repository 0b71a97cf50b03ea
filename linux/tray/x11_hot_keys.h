// The global hot keys on X11: passive key grabs on the root window, seen through Qt's own xcb
// connection so that the presses arrive in Qt's event loop.
#pragma once

#include <QAbstractNativeEventFilter>
#include <xcb/xcb.h>

#include <cstdint>
#include <functional>
#include <map>
#include <vector>

#include "services/failure_sink.h"
#include "tray/hot_key.h"

namespace tarvex::qt {

class X11HotKeys final : public HotKeys, private QAbstractNativeEventFilter {
 public:
  using Pressed = std::function<void(int id)>;

  // Needs a running QGuiApplication on the xcb platform. A failure of the handler goes to the
  // failure sink.
  X11HotKeys(Pressed onHotKey, FailureSink failures);
  ~X11HotKeys() override;
  X11HotKeys(const X11HotKeys&) = delete;
  X11HotKeys& operator=(const X11HotKeys&) = delete;

  // F1 .. F24; any other key, or one another client holds, is not registered and no error is
  // raised.
  void Register(int id, int functionKey) override;
  void Unregister(int id) override;

 private:
  struct KeyGrab {
    xcb_keycode_t keycode;
    std::uint16_t modifiers;
  };
  struct Registration {
    int functionKey;
    std::vector<KeyGrab> grabs;  // empty while the key could not be grabbed
  };

  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr* result) override;
  std::vector<KeyGrab> Grab(int functionKey) const;
  void Ungrab(const std::vector<KeyGrab>& grabs) const;
  void GrabAgainAfterKeymapChange();

  xcb_connection_t* connection_;
  xcb_window_t root_;
  Pressed onHotKey_;
  FailureSink failures_;
  std::map<int, Registration> registrations_;
};

}  // namespace tarvex::qt
