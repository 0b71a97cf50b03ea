#include "linux/x11/x11_window_system.h"

#include <xcb/res.h>

#include <algorithm>
#include <span>
#include <unordered_set>

#include "linux/x11/reply.h"
#include "linux/x11/window_style.h"
#include "linux/x11/x11_text.h"

namespace tarvex::x11 {
namespace {

// EWMH source indication of a pager or taskbar, which managers obey without focus-stealing
// prevention getting in the way.
constexpr std::uint32_t kSourcePager = 2;
constexpr std::uint32_t kStateRemove = 0;
// Enough for any desktop: 65536 clients.
constexpr std::uint32_t kClientListLength = 65536;

// QueryClientIds came with X-Resource 1.2.
bool ServerTellsClientPids(xcb_connection_t* connection) {
  const xcb_query_extension_reply_t* extension = xcb_get_extension_data(connection, &xcb_res_id);
  if (extension == nullptr || extension->present == 0) return false;
  const auto version = Await<xcb_res_query_version_reply_t>(
      connection, xcb_res_query_version(connection, 1, 2), xcb_res_query_version_reply);
  return version &&
         (version->server_major > 1 || (version->server_major == 1 && version->server_minor >= 2));
}

}  // namespace

X11WindowSystem::X11WindowSystem(XcbConnection& connection)
    : connection_(connection),
      atoms_(InternAtoms(connection.get())),
      fetcher_(connection.get(), atoms_, connection.Root(),
               ServerTellsClientPids(connection.get())) {}

void X11WindowSystem::Enumerate(EnumWindowsProc proc, std::intptr_t param) {
  EndPass();
  passOpen_ = true;
  const std::vector<xcb_window_t> clients = ClientsFrontToBack();
  for (const xcb_window_t window : clients) {
    if (!proc(window, param)) break;
  }
}

std::vector<xcb_window_t> X11WindowSystem::ClientsFrontToBack() {
  xcb_connection_t* c = connection_.get();
  const xcb_window_t root = connection_.Root();
  const auto checkCookie =
      xcb_get_property(c, 0, root, atoms_._NET_SUPPORTING_WM_CHECK, XCB_ATOM_WINDOW, 0, 1);
  const auto stackingCookie = xcb_get_property(c, 0, root, atoms_._NET_CLIENT_LIST_STACKING,
                                               XCB_ATOM_WINDOW, 0, kClientListLength);
  const auto listCookie =
      xcb_get_property(c, 0, root, atoms_._NET_CLIENT_LIST, XCB_ATOM_WINDOW, 0, kClientListLength);
  // Taken in every case: a reply never awaited would stay queued in the connection.
  const auto check = AwaitProperty(c, checkCookie);
  const auto stacking = AwaitProperty(c, stackingCookie);
  const auto list = AwaitProperty(c, listCookie);
  // Every change the server reported before it answered is queued now.
  ReadEvents();
  const auto named = Values32(check);
  if (named.empty() || !ManagerNamed(named[0])) return RootChildrenWithWmState();
  // Both lists run bottom to top; a manager without a stacking list still has the plain one.
  const auto bottomUp = Values32(stacking).empty() ? Values32(list) : Values32(stacking);
  std::vector<xcb_window_t> clients(bottomUp.rbegin(), bottomUp.rend());
  Learn(clients);
  return clients;
}

std::vector<xcb_window_t> X11WindowSystem::RootChildrenWithWmState() {
  xcb_connection_t* c = connection_.get();
  const auto tree =
      Await<xcb_query_tree_reply_t>(c, xcb_query_tree(c, connection_.Root()), xcb_query_tree_reply);
  if (!tree) return {};
  const xcb_window_t* children = xcb_query_tree_children(tree.get());
  // Bottom to top, as the server keeps them.
  const std::vector<xcb_window_t> bottomUp(children,
                                           children + xcb_query_tree_children_length(tree.get()));
  Learn(bottomUp);
  std::vector<xcb_window_t> topDown;
  for (auto it = bottomUp.rbegin(); it != bottomUp.rend(); ++it) {
    if (Facts(*it).wmState != WmState::kAbsent) topDown.push_back(*it);
  }
  return topDown;
}

void X11WindowSystem::Learn(const std::vector<xcb_window_t>& windows) {
  // Lives of windows no longer listed are forgotten, so that they cannot pile up.
  if (lives_.size() > windows.size()) {
    const std::unordered_set<xcb_window_t> listed(windows.begin(), windows.end());
    std::erase_if(lives_, [&](const auto& life) { return !listed.contains(life.first); });
  }
  if (!connection_.OwnsEvents()) {
    std::vector<WindowFacts> facts = fetcher_.Fetch(windows);
    for (std::size_t i = 0; i < windows.size(); ++i) pass_[windows[i]] = std::move(facts[i]);
    return;
  }
  std::vector<xcb_window_t> unknown;
  for (const xcb_window_t window : windows) {
    if (!watched_.contains(window)) unknown.push_back(window);
  }
  // Asked before the facts, so that no change between the two goes unreported.
  for (const xcb_window_t window : unknown) {
    Watch(window, XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY);
  }
  std::vector<WindowFacts> facts = fetcher_.Fetch(unknown);
  for (std::size_t i = 0; i < unknown.size(); ++i) watched_[unknown[i]] = std::move(facts[i]);
  // Every listed window is watched now; more watched ones means some left the list.
  if (watched_.size() != windows.size()) {
    const std::unordered_set<xcb_window_t> listed(windows.begin(), windows.end());
    std::erase_if(watched_, [&](const auto& entry) {
      if (listed.contains(entry.first)) return false;
      // The server keeps a record for every window a client watches: give it back.
      Watch(entry.first, XCB_EVENT_MASK_NO_EVENT);
      return true;
    });
  }
}

void X11WindowSystem::Watch(xcb_window_t window, std::uint32_t events) {
  if (!IsWindowId(window)) return;
  // A window that is gone answers with an error, which ReadEvents passes over.
  xcb_change_window_attributes(connection_.get(), window, XCB_CW_EVENT_MASK, &events);
}

void X11WindowSystem::ReadEvents() {
  while (const auto event = connection_.NextEvent()) {
    xcb_window_t changed = XCB_WINDOW_NONE;
    switch (event->response_type & 0x7F) {
      case XCB_PROPERTY_NOTIFY:
        changed = reinterpret_cast<const xcb_property_notify_event_t*>(event.get())->window;
        break;
      case XCB_MAP_NOTIFY:
        changed = reinterpret_cast<const xcb_map_notify_event_t*>(event.get())->window;
        break;
      case XCB_UNMAP_NOTIFY:
        changed = reinterpret_cast<const xcb_unmap_notify_event_t*>(event.get())->window;
        break;
      case XCB_DESTROY_NOTIFY:
        changed = reinterpret_cast<const xcb_destroy_notify_event_t*>(event.get())->window;
        if (changed == managerCheck_) managerCheck_ = XCB_WINDOW_NONE;
        lives_.erase(changed);
        break;
      default:
        break;  // moves, restacking, errors about windows that went away: no fact changes
    }
    // The next pass fetches its facts afresh and watches it again first; until then its property
    // changes are of no use, and a client that retitles itself in a loop would flood us with
    // them. Its end is still watched: a window destroyed in between must end its life, or a new
    // client's window under the same id would pass for it. Sent at once: while the request
    // waits here, the server goes on reporting.
    if (watched_.erase(changed) != 0) {
      Watch(changed, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
      xcb_flush(connection_.get());
    }
  }
}

bool X11WindowSystem::ManagerRuns() {
  xcb_connection_t* c = connection_.get();
  const auto onRoot =
      AwaitProperty(c, xcb_get_property(c, 0, connection_.Root(), atoms_._NET_SUPPORTING_WM_CHECK,
                                        XCB_ATOM_WINDOW, 0, 1));
  // The end of a manager reported before the answer is queued now: the answer is not believed
  // on the strength of a check window that is gone.
  ReadEvents();
  const auto named = Values32(onRoot);
  return !named.empty() && ManagerNamed(named[0]);
}

bool X11WindowSystem::ManagerNamed(xcb_window_t named) {
  if (!IsWindowId(named)) return false;
  if (named == managerCheck_) return true;
  // Asked to report its end before it is looked at, so that its end cannot go unnoticed.
  if (connection_.OwnsEvents()) Watch(named, XCB_EVENT_MASK_STRUCTURE_NOTIFY);
  xcb_connection_t* c = connection_.get();
  // The root names the manager's check window, and the check window names itself: a manager
  // that died leaves the root's property behind, but not its window.
  const auto onCheck = AwaitProperty(
      c, xcb_get_property(c, 0, named, atoms_._NET_SUPPORTING_WM_CHECK, XCB_ATOM_WINDOW, 0, 1));
  const auto self = Values32(onCheck);
  const bool alive = !self.empty() && self[0] == named;
  if (alive && connection_.OwnsEvents()) managerCheck_ = named;
  return alive;
}

const WindowFacts& X11WindowSystem::Facts(WinHandle window) {
  if (passOpen_) {
    if (const auto known = watched_.find(window); known != watched_.end()) return known->second;
  }
  if (const auto known = pass_.find(window); known != pass_.end()) return known->second;
  const xcb_window_t one[] = {window};
  WindowFacts facts = std::move(fetcher_.Fetch(one).front());
  if (passOpen_) return pass_[window] = std::move(facts);
  // A window destroyed before the answer came has its DestroyNotify queued now: the answer is
  // not taken for the life that ended.
  ReadEvents();
  return asked_ = std::move(facts);
}

void X11WindowSystem::EndPass() {
  passOpen_ = false;
  pass_.clear();
}

int X11WindowSystem::WindowText(WinHandle window, char* buffer, int bufferSize) {
  // X11 counts the caption's limit in bytes: the cut falls at 254 bytes, never inside a character.
  return CopyToBuffer(Facts(window).caption, buffer, std::min(bufferSize, kCaptionLimit + 1));
}

bool X11WindowSystem::IsVisible(WinHandle window) { return IsShown(Facts(window)); }

WinHandle X11WindowSystem::Owner(WinHandle window) { return Facts(window).transientFor; }

WinHandle X11WindowSystem::LastActivePopup(WinHandle window) {
  // X11 keeps no such record; the window stands for itself.
  return window;
}

bool X11WindowSystem::Exists(WinHandle handle) { return Facts(handle).exists; }

std::int32_t X11WindowSystem::WindowLong(WinHandle window, int index) {
  const WindowFacts& facts = Facts(window);
  std::uint32_t value = 0;
  switch (index) {
    case GWL_STYLE_INDEX:
      value = StyleBits(facts);
      break;
    case GWL_EXSTYLE_INDEX:
      value = ExStyleBits(facts);
      break;
    case GWL_HWNDPARENT_INDEX:
      value = facts.transientFor;
      break;
    default:
      break;
  }
  return static_cast<std::int32_t>(value);
}

int X11WindowSystem::ClassName(WinHandle window, char* buffer, int bufferSize) {
  return CopyToBuffer(Facts(window).className, buffer, bufferSize);
}

std::uint32_t X11WindowSystem::ThreadProcessId(WinHandle window, std::uint32_t* processId) {
  const WindowFacts& facts = Facts(window);
  if (processId != nullptr) *processId = facts.processId;
  return facts.exists ? LifeOf(window) : 0;
}

std::uint32_t X11WindowSystem::LifeOf(xcb_window_t window) {
  const auto [life, born] = lives_.try_emplace(window, lastLife_ + 1);
  if (born) ++lastLife_;
  return life->second;
}

void X11WindowSystem::Show(WinHandle window, int showCommand) {
  EndPass();
  if (!IsWindowId(window)) return;
  if (showCommand == kShowMinimized) {
    // ICCCM: the manager, EWMH or not, iconifies on this request.
    SendToManager(window, atoms_.WM_CHANGE_STATE, {kIconicStateValue, 0, 0, 0, 0});
  } else if (showCommand == kShowNormal) {
    if (ManagerRuns()) {
      // Normal size first, then activation, which also brings an iconic window back.
      SendToManager(window, atoms_._NET_WM_STATE,
                    {kStateRemove, atoms_._NET_WM_STATE_MAXIMIZED_VERT,
                     atoms_._NET_WM_STATE_MAXIMIZED_HORZ, kSourcePager, 0});
      SendToManager(window, atoms_._NET_WM_STATE,
                    {kStateRemove, atoms_._NET_WM_STATE_FULLSCREEN, 0, kSourcePager, 0});
      SendToManager(window, atoms_._NET_ACTIVE_WINDOW,
                    {kSourcePager, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0});
    } else {
      Forget(xcb_map_window_checked(connection_.get(), window));
      const std::uint32_t above[] = {XCB_STACK_MODE_ABOVE};
      Forget(xcb_configure_window_checked(connection_.get(), window, XCB_CONFIG_WINDOW_STACK_MODE,
                                          above));
    }
  }
  Flush();
}

void X11WindowSystem::BringToForeground(WinHandle window) {
  EndPass();
  if (!IsWindowId(window)) return;
  if (ManagerRuns()) {
    SendToManager(window, atoms_._NET_ACTIVE_WINDOW,
                  {kSourcePager, XCB_CURRENT_TIME, XCB_WINDOW_NONE, 0, 0});
  } else {
    const std::uint32_t above[] = {XCB_STACK_MODE_ABOVE};
    Forget(xcb_configure_window_checked(connection_.get(), window, XCB_CONFIG_WINDOW_STACK_MODE,
                                        above));
    Forget(xcb_set_input_focus_checked(connection_.get(), XCB_INPUT_FOCUS_POINTER_ROOT, window,
                                       XCB_CURRENT_TIME));
  }
  Flush();
}

void X11WindowSystem::PostClose(WinHandle window) {
  EndPass();
  if (!IsWindowId(window)) return;
  if (ManagerRuns()) {
    // The manager asks the client politely (WM_DELETE_WINDOW) where the client takes that.
    SendToManager(window, atoms_._NET_CLOSE_WINDOW, {XCB_CURRENT_TIME, kSourcePager, 0, 0, 0});
  } else if (TakesDeleteWindow(window)) {
    SendClientMessage(window, XCB_EVENT_MASK_NO_EVENT, window, atoms_.WM_PROTOCOLS,
                      {atoms_.WM_DELETE_WINDOW, XCB_CURRENT_TIME, 0, 0, 0});
  }
  // A client that does not take the request is left alone: closing never kills a client.
  Flush();
}

bool X11WindowSystem::TakesDeleteWindow(xcb_window_t window) {
  xcb_connection_t* c = connection_.get();
  const auto protocols =
      AwaitProperty(c, xcb_get_property(c, 0, window, atoms_.WM_PROTOCOLS, XCB_ATOM_ATOM, 0, 64));
  return Contains(Values32(protocols), atoms_.WM_DELETE_WINDOW);
}

void X11WindowSystem::SendToManager(xcb_window_t window, xcb_atom_t type, const Data& data) {
  SendClientMessage(connection_.Root(),
                    XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                    window, type, data);
}

void X11WindowSystem::SendClientMessage(xcb_window_t destination, std::uint32_t eventMask,
                                        xcb_window_t window, xcb_atom_t type, const Data& data) {
  xcb_client_message_event_t event{};
  event.response_type = XCB_CLIENT_MESSAGE;
  event.format = 32;
  event.window = window;
  event.type = type;
  std::copy(data.begin(), data.end(), event.data.data32);
  Forget(xcb_send_event_checked(connection_.get(), 0, destination, eventMask,
                                reinterpret_cast<const char*>(&event)));
}

void X11WindowSystem::Forget(xcb_void_cookie_t cookie) {
  xcb_discard_reply(connection_.get(), cookie.sequence);
}

void X11WindowSystem::Flush() {
  xcb_flush(connection_.get());
  ReadEvents();
}

}  // namespace tarvex::x11
