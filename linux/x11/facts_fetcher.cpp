#include "linux/x11/facts_fetcher.h"

#include <xcb/res.h>

#include <array>
#include <cstring>
#include <string_view>

#include "linux/x11/reply.h"
#include "linux/x11/x11_text.h"

namespace tarvex::x11 {
namespace {

// In 32-bit units. Captions are cut to a few hundred bytes by their readers; 1 KiB keeps enough
// to cut on a character boundary without transferring megabytes from a hostile client.
constexpr std::uint32_t kTextLength = 256;
constexpr std::uint32_t kListLength = 64;

std::string_view Bytes(const PropertyReply& reply) {
  if (!reply || reply->format != 8) return {};
  return {static_cast<const char*>(xcb_get_property_value(reply.get())),
          PropertyValueBytes(*reply)};
}

// The first local client pid of an X-Resource QueryClientIds reply, walked within the reply's
// own length: the counts and lengths in it are the server's word only. A value's length is in
// bytes, a whole number of 32-bit values.
std::uint32_t FirstClientPid(const xcb_res_query_client_ids_reply_t& reply) {
  const auto* bytes = reinterpret_cast<const unsigned char*>(&reply);
  const std::size_t size = ReplyBytes(reinterpret_cast<const xcb_generic_reply_t&>(reply));
  std::size_t offset = sizeof(xcb_res_query_client_ids_reply_t);
  for (std::uint32_t id = 0; id < reply.num_ids; ++id) {
    if (size < offset + sizeof(xcb_res_client_id_value_t)) break;
    xcb_res_client_id_value_t value{};
    std::memcpy(&value, bytes + offset, sizeof value);
    offset += sizeof value;
    const std::size_t valueBytes = value.length / 4 * 4;
    if (valueBytes > size - offset) break;
    std::uint32_t pid = 0;
    if (valueBytes > 0) std::memcpy(&pid, bytes + offset, sizeof pid);
    if (pid != 0) return pid;
    offset += valueBytes;
  }
  return 0;
}

}  // namespace

bool IsWindowId(std::uint32_t id) { return id != 0 && (id & 0xE0000000u) == 0; }

struct FactsFetcher::Pending {
  xcb_window_t window = XCB_WINDOW_NONE;
  bool sent = false;
  xcb_get_window_attributes_cookie_t attributes{};
  std::array<xcb_get_property_cookie_t, kPropertyCount> properties{};
  bool askedClientIds = false;
  xcb_res_query_client_ids_cookie_t clientIds{};
};

std::vector<WindowFacts> FactsFetcher::Fetch(std::span<const xcb_window_t> windows) const {
  std::vector<Pending> pending;
  pending.reserve(windows.size());
  for (const xcb_window_t window : windows) pending.push_back(Send(window));
  std::vector<WindowFacts> facts;
  facts.reserve(windows.size());
  for (const Pending& one : pending) facts.push_back(Collect(one));
  return facts;
}

FactsFetcher::Pending FactsFetcher::Send(xcb_window_t window) const {
  Pending pending;
  pending.window = window;
  if (!IsWindowId(window)) return pending;
  pending.sent = true;
  pending.attributes = xcb_get_window_attributes(connection_, window);
  const auto ask = [&](Property slot, xcb_atom_t property, xcb_atom_t type, std::uint32_t length) {
    pending.properties[slot] = xcb_get_property(connection_, 0, window, property, type, 0, length);
  };
  ask(kNetWmName, atoms_._NET_WM_NAME, atoms_.UTF8_STRING, kTextLength);
  ask(kWmName, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, kTextLength);
  ask(kWmClass, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING, kTextLength);
  ask(kTransientFor, XCB_ATOM_WM_TRANSIENT_FOR, XCB_ATOM_WINDOW, 1);
  ask(kWindowType, atoms_._NET_WM_WINDOW_TYPE, XCB_ATOM_ATOM, kListLength);
  ask(kNetWmState, atoms_._NET_WM_STATE, XCB_ATOM_ATOM, kListLength);
  ask(kAllowedActions, atoms_._NET_WM_ALLOWED_ACTIONS, XCB_ATOM_ATOM, kListLength);
  ask(kNetWmPid, atoms_._NET_WM_PID, XCB_ATOM_CARDINAL, 1);
  ask(kWmStateProperty, atoms_.WM_STATE, atoms_.WM_STATE, 2);
  if (clientIds_) {
    const xcb_res_client_id_spec_t pidOfWindow{window, XCB_RES_CLIENT_ID_MASK_LOCAL_CLIENT_PID};
    pending.clientIds = xcb_res_query_client_ids(connection_, 1, &pidOfWindow);
    pending.askedClientIds = true;
  }
  return pending;
}

WindowFacts FactsFetcher::Collect(const Pending& pending) const {
  if (!pending.sent) return {};
  // Every reply is taken, also after an error, so that none stays queued in the connection.
  WindowReplies replies;
  replies.attributes = Await<xcb_get_window_attributes_reply_t>(connection_, pending.attributes,
                                                                xcb_get_window_attributes_reply);
  for (std::size_t i = 0; i < kPropertyCount; ++i) {
    replies.properties[i] = AwaitProperty(connection_, pending.properties[i]);
  }
  if (pending.askedClientIds) {
    replies.clientIds = Await<xcb_res_query_client_ids_reply_t>(connection_, pending.clientIds,
                                                                xcb_res_query_client_ids_reply);
  }
  return DecodeFacts(replies, atoms_, root_, pending.window);
}

WindowFacts DecodeFacts(const WindowReplies& replies, const Atoms& atoms, xcb_window_t root,
                        xcb_window_t window) {
  WindowFacts facts;
  const auto& attributes = replies.attributes;
  const auto& properties = replies.properties;
  if (!attributes) return facts;

  facts.exists = true;
  facts.overrideRedirect = attributes->override_redirect != 0;
  facts.mapped = attributes->map_state != XCB_MAP_STATE_UNMAPPED;

  if (const auto utf8 = Bytes(properties[kNetWmName]); !utf8.empty()) {
    facts.caption = utf8;
  } else if (const PropertyReply& name = properties[kWmName]; name) {
    const std::string_view text = Bytes(name);
    if (name->type == XCB_ATOM_STRING) {
      facts.caption = Latin1ToUtf8(text);
    } else if (name->type == atoms.UTF8_STRING) {
      facts.caption = text;
    } else {
      facts.caption = AsciiOnly(text);
    }
  }
  // The caption stops at an embedded zero, as a C string would.
  facts.caption.resize(std::strlen(facts.caption.c_str()));

  // "instance\0class\0"
  const std::string_view wmClass = Bytes(properties[kWmClass]);
  if (const std::size_t split = wmClass.find('\0'); split != std::string_view::npos) {
    const std::string_view rest = wmClass.substr(split + 1);
    facts.className = Latin1ToUtf8(rest.substr(0, rest.find('\0')));
  }

  if (const auto owner = Values32(properties[kTransientFor]); !owner.empty()) {
    // Transient for the root means "for the whole group", which makes no owner either.
    if (owner[0] != root && owner[0] != window) facts.transientFor = owner[0];
  }

  facts.kind =
      facts.transientFor != XCB_WINDOW_NONE ? WindowKind::kDialog : WindowKind::kApplication;
  for (const std::uint32_t type : Values32(properties[kWindowType])) {
    const auto is = [type](xcb_atom_t atom) { return atom != XCB_ATOM_NONE && type == atom; };
    if (is(atoms._NET_WM_WINDOW_TYPE_NORMAL)) {
      facts.kind = WindowKind::kApplication;
    } else if (is(atoms._NET_WM_WINDOW_TYPE_DIALOG)) {
      facts.kind = WindowKind::kDialog;
    } else if (is(atoms._NET_WM_WINDOW_TYPE_UTILITY) || is(atoms._NET_WM_WINDOW_TYPE_TOOLBAR)) {
      facts.kind = WindowKind::kTool;
    } else if (is(atoms._NET_WM_WINDOW_TYPE_DESKTOP) || is(atoms._NET_WM_WINDOW_TYPE_DOCK)) {
      facts.kind = WindowKind::kShell;
    } else if (is(atoms._NET_WM_WINDOW_TYPE_MENU) || is(atoms._NET_WM_WINDOW_TYPE_DROPDOWN_MENU) ||
               is(atoms._NET_WM_WINDOW_TYPE_POPUP_MENU) || is(atoms._NET_WM_WINDOW_TYPE_TOOLTIP) ||
               is(atoms._NET_WM_WINDOW_TYPE_NOTIFICATION) || is(atoms._NET_WM_WINDOW_TYPE_COMBO) ||
               is(atoms._NET_WM_WINDOW_TYPE_DND) || is(atoms._NET_WM_WINDOW_TYPE_SPLASH)) {
      facts.kind = WindowKind::kPopup;
    } else {
      continue;  // a type of some desktop's own: the next one in the list may be known
    }
    break;  // the first known type is the one the client prefers
  }

  const auto states = Values32(properties[kNetWmState]);
  facts.skipTaskbar = Contains(states, atoms._NET_WM_STATE_SKIP_TASKBAR);
  facts.hidden = Contains(states, atoms._NET_WM_STATE_HIDDEN);
  facts.maximized = Contains(states, atoms._NET_WM_STATE_MAXIMIZED_VERT) &&
                    Contains(states, atoms._NET_WM_STATE_MAXIMIZED_HORZ);
  facts.modal = Contains(states, atoms._NET_WM_STATE_MODAL);
  facts.above = Contains(states, atoms._NET_WM_STATE_ABOVE);

  if (const PropertyReply& allowed = properties[kAllowedActions];
      allowed && allowed->type != XCB_ATOM_NONE) {
    const auto actions = Values32(allowed);
    facts.canMinimize = Contains(actions, atoms._NET_WM_ACTION_MINIMIZE);
    facts.canMaximize = Contains(actions, atoms._NET_WM_ACTION_MAXIMIZE_HORZ) ||
                        Contains(actions, atoms._NET_WM_ACTION_MAXIMIZE_VERT);
    facts.canResize = Contains(actions, atoms._NET_WM_ACTION_RESIZE);
    facts.canClose = Contains(actions, atoms._NET_WM_ACTION_CLOSE);
  }

  if (const auto state = Values32(properties[kWmStateProperty]); !state.empty()) {
    switch (state[0]) {
      case kWithdrawnStateValue:
        facts.wmState = WmState::kWithdrawn;
        break;
      case kNormalStateValue:
        facts.wmState = WmState::kNormal;
        break;
      case kIconicStateValue:
        facts.wmState = WmState::kIconic;
        break;
      default:
        break;  // an obsolete or unknown state says nothing
    }
  }

  // The server knows which local process opened the connection that made the window; a
  // property is only what the client claims, and remote clients have no local process at all.
  // Only the local client pid was asked for, so every value the server returns is one.
  if (replies.clientIds) facts.processId = FirstClientPid(*replies.clientIds);
  if (facts.processId == 0) {
    if (const auto pid = Values32(properties[kNetWmPid]); !pid.empty()) facts.processId = pid[0];
  }
  return facts;
}

}  // namespace tarvex::x11
