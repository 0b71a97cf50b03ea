#include "desktop_harness.h"

#include <QTest>
#include <xcb/xcb_keysyms.h>

#include <stdexcept>

#include "linux/tray/xcb_support.h"

namespace tarvex::qt::test {

void Xdotool(const QStringList& arguments) {
  if (QProcess::execute(QStringLiteral("xdotool"), arguments) != 0) {
    throw std::runtime_error("xdotool failed: " + arguments.join(' ').toStdString());
  }
}

void SystemTray::Start() {
  process_.start(QStringLiteral("trayer"),
                 {"--edge", "top", "--align", "right", "--widthtype", "request", "--height", "32",
                  "--SetDockType", "true", "--expand", "true"});
  if (!process_.waitForStarted()) throw std::runtime_error("trayer does not start");
  const OtherClient client;
  if (!QTest::qWaitFor([&] { return client.TrayRuns(); }, 10000)) {
    throw std::runtime_error("trayer does not take the tray selection");
  }
}

void SystemTray::Stop() {
  if (process_.state() == QProcess::NotRunning) return;
  process_.terminate();
  process_.waitForFinished();
}

OtherClient::OtherClient() : connection_(xcb_connect(nullptr, nullptr)) {
  if (xcb_connection_has_error(connection_)) throw std::runtime_error("no X display");
  root_ = DefaultScreen(connection_)->root;
}

OtherClient::~OtherClient() { xcb_disconnect(connection_); }

bool OtherClient::TrayRuns() const {
  const x11::Reply<xcb_get_selection_owner_reply_t> owner(xcb_get_selection_owner_reply(
      connection_,
      xcb_get_selection_owner(connection_, InternAtom(connection_, "_NET_SYSTEM_TRAY_S0")),
      nullptr));
  return owner && owner->owner != XCB_WINDOW_NONE;
}

xcb_window_t OtherClient::ParentOf(xcb_window_t window) const {
  const x11::Reply<xcb_query_tree_reply_t> tree(
      xcb_query_tree_reply(connection_, xcb_query_tree(connection_, window), nullptr));
  return tree ? tree->parent : static_cast<xcb_window_t>(XCB_WINDOW_NONE);
}

bool OtherClient::IsViewable(xcb_window_t window) const {
  const x11::Reply<xcb_get_window_attributes_reply_t> attributes(xcb_get_window_attributes_reply(
      connection_, xcb_get_window_attributes(connection_, window), nullptr));
  return attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
}

void OtherClient::CentreOf(xcb_window_t window, int& x, int& y) const {
  const x11::Reply<xcb_get_geometry_reply_t> geometry(
      xcb_get_geometry_reply(connection_, xcb_get_geometry(connection_, window), nullptr));
  const x11::Reply<xcb_translate_coordinates_reply_t> origin(xcb_translate_coordinates_reply(
      connection_, xcb_translate_coordinates(connection_, window, root_, 0, 0), nullptr));
  if (!geometry || !origin) throw std::runtime_error("the window is gone");
  x = origin->dst_x + geometry->width / 2;
  y = origin->dst_y + geometry->height / 2;
}

xcb_keycode_t OtherClient::KeycodeOf(xcb_keysym_t keysym) const {
  xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(connection_);
  const x11::Reply<xcb_keycode_t> codes(xcb_key_symbols_get_keycode(symbols, keysym));
  xcb_key_symbols_free(symbols);
  return codes ? codes.get()[0] : static_cast<xcb_keycode_t>(XCB_NO_SYMBOL);
}

bool OtherClient::GrabKey(xcb_keysym_t keysym) {
  const x11::Reply<xcb_generic_error_t> error(xcb_request_check(
      connection_, xcb_grab_key_checked(connection_, 1, root_, 0, KeycodeOf(keysym),
                                        XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC)));
  return !error;
}

void OtherClient::UngrabKey(xcb_keysym_t keysym) {
  xcb_ungrab_key(connection_, KeycodeOf(keysym), root_, 0);
  xcb_flush(connection_);
}

}  // namespace tarvex::qt::test
