#include "linux/tray/system_tray_dock.h"

#include <QCoreApplication>

#include <array>
#include <stdexcept>
#include <string>

#include "linux/tray/xcb_support.h"

namespace tarvex::qt {
namespace {

constexpr std::uint32_t kRequestDock = 0;  // SYSTEM_TRAY_REQUEST_DOCK
constexpr std::uint32_t kXembedVersion = 0;
constexpr std::uint32_t kXembedMapped = 1;     // the tray maps the icon once it has embedded it
constexpr std::uint8_t kEventTypeMask = 0x7F;  // the top bit marks events sent by a client

}  // namespace

SystemTrayDock::SystemTrayDock(std::function<void()> onManagerAppeared,
                               std::function<void()> onEmbedded, std::function<void()> onUndocked)
    : connection_(QtXcbConnection()),
      onManagerAppeared_(std::move(onManagerAppeared)),
      onEmbedded_(std::move(onEmbedded)),
      onUndocked_(std::move(onUndocked)) {
  const xcb_screen_t* screen = DefaultScreen(connection_);
  if (screen == nullptr) throw std::runtime_error("The X display has no screen");
  root_ = screen->root;
  selection_ =
      InternAtom(connection_, "_NET_SYSTEM_TRAY_S" + std::to_string(DefaultScreenNumber()));
  opcode_ = InternAtom(connection_, "_NET_SYSTEM_TRAY_OPCODE");
  manager_ = InternAtom(connection_, "MANAGER");
  xembedInfo_ = InternAtom(connection_, "_XEMBED_INFO");

  // A starting tray announces itself to the root's StructureNotify listeners. The root's event
  // mask is per client, and this connection is Qt's: add to Qt's mask, never replace it.
  const x11::Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
      connection_, xcb_get_window_attributes(connection_, root_), nullptr));
  const std::uint32_t mask = (attributes ? attributes->your_event_mask : 0u) |
                             static_cast<std::uint32_t>(XCB_EVENT_MASK_STRUCTURE_NOTIFY);
  xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection_);
  QCoreApplication::instance()->installNativeEventFilter(this);
}

SystemTrayDock::~SystemTrayDock() { QCoreApplication::instance()->removeNativeEventFilter(this); }

xcb_window_t SystemTrayDock::Manager() const {
  const x11::Reply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
      connection_, xcb_get_selection_owner(connection_, selection_), nullptr));
  return owner ? owner->owner : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

bool SystemTrayDock::Dock(xcb_window_t icon) {
  const xcb_window_t manager = Manager();
  if (manager == XCB_WINDOW_NONE) return false;
  const std::array<std::uint32_t, 2> info = {kXembedVersion, kXembedMapped};
  xcb_change_property(connection_, XCB_PROP_MODE_REPLACE, icon, xembedInfo_, xembedInfo_, 32,
                      static_cast<std::uint32_t>(info.size()), info.data());

  xcb_client_message_event_t request{};
  request.response_type = XCB_CLIENT_MESSAGE;
  request.format = 32;
  request.window = manager;
  request.type = opcode_;
  request.data.data32[0] = XCB_CURRENT_TIME;
  request.data.data32[1] = kRequestDock;
  request.data.data32[2] = icon;
  // A tray that vanished meanwhile makes this fail; it is then as if there had been none.
  const x11::Reply<xcb_generic_error_t> error(xcb_request_check(
      connection_, xcb_send_event_checked(connection_, 0, manager, XCB_EVENT_MASK_NO_EVENT,
                                          reinterpret_cast<const char*>(&request))));
  if (error) return false;
  icon_ = icon;
  return true;
}

bool SystemTrayDock::nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) {
  if (eventType != "xcb_generic_event_t") return false;
  const auto* event = static_cast<const xcb_generic_event_t*>(message);
  switch (event->response_type & kEventTypeMask) {
    case XCB_CLIENT_MESSAGE: {
      const auto* client = static_cast<const xcb_client_message_event_t*>(message);
      if (client->window == root_ && client->type == manager_ &&
          client->data.data32[1] == selection_) {
        onManagerAppeared_();
      }
      break;
    }
    case XCB_REPARENT_NOTIFY: {
      const auto* reparent = static_cast<const xcb_reparent_notify_event_t*>(message);
      if (icon_ == XCB_WINDOW_NONE || reparent->window != icon_) break;
      if (reparent->parent != root_) {
        onEmbedded_();
      } else {
        // An ending tray hands its icons back to the root (they are in its save-set).
        icon_ = XCB_WINDOW_NONE;
        onUndocked_();
      }
      break;
    }
    default:
      break;
  }
  return false;
}

}  // namespace tarvex::qt
