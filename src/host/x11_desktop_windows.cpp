#include "host/x11_desktop_windows.h"

#include <xcb/xcb_ewmh.h>
#include <unistd.h>

#include <QGuiApplication>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <span>

#include "host/x11_screen.h"

namespace mascot {
namespace {

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

// Takes a reply and drops its error: a window may vanish between the
// stacking list and the questions about it.
template <typename Reply, typename Cookie>
ReplyPtr<Reply> Take(xcb_connection_t* c, Reply* (*read)(xcb_connection_t*, Cookie, xcb_generic_error_t**),
                     Cookie cookie) {
  xcb_generic_error_t* error = nullptr;
  Reply* reply = read(c, cookie, &error);
  std::free(error);
  return ReplyPtr<Reply>(reply);
}

ReplyPtr<xcb_get_property_reply_t> TakeProperty(xcb_connection_t* c, xcb_get_property_cookie_t cookie) {
  return Take(c, &xcb_get_property_reply, cookie);
}

// The 32-bit items of a property; empty when it is missing or of another format.
std::span<const std::uint32_t> Items(const xcb_get_property_reply_t* reply) {
  if (reply == nullptr || reply->format != 32) return {};
  const auto* items = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
  return {items, static_cast<std::size_t>(xcb_get_property_value_length(reply)) / 4};
}

bool Contains(std::span<const std::uint32_t> items, xcb_atom_t atom) {
  return std::find(items.begin(), items.end(), atom) != items.end();
}

// Asked for with no length: the server tells the length alone.
bool HasText(const xcb_get_property_reply_t* reply) {
  return reply != nullptr && reply->type != XCB_NONE &&
         (reply->bytes_after > 0 || xcb_get_property_value_length(reply) > 0);
}

constexpr std::uint32_t kIconicState = 3;  // ICCCM WM_STATE
constexpr std::uint32_t kMaxTitleLongs = 256;

enum Property { kWmState, kNetState, kNetName, kWmName, kExtents, kOwner, kPid, kType, kPropertyCount };

struct WindowRequests {
  xcb_window_t window = XCB_NONE;
  xcb_get_window_attributes_cookie_t attributes{};
  xcb_get_geometry_cookie_t geometry{};
  xcb_translate_coordinates_cookie_t position{};
  std::array<xcb_get_property_cookie_t, kPropertyCount> properties{};
};

}  // namespace

struct X11DesktopWindows::State {
  xcb_connection_t* connection = nullptr;
  bool ownsConnection = false;
  int screenNumber = 0;
  xcb_window_t root = XCB_NONE;
  Rect screenRect;
  xcb_ewmh_connection_t ewmh{};
  bool ewmhReady = false;
  xcb_atom_t wmStateAtom = XCB_NONE;
  std::array<xcb_atom_t, kPropertyCount> atoms{};
  std::array<std::uint32_t, kPropertyCount> lengths{2, 32, 0, 0, 4, 1, 1, 16};
  std::vector<xcb_window_t> excluded;
  bool excludeOwnProcess = true;
  bool managed = false;  // a window manager publishes the stacking list
  // Bottom-most first, as the server gives them.
  std::vector<xcb_window_t> lastList;
  std::vector<xcb_window_t> list;
  std::vector<WindowRequests> requests;

  ~State() {
    if (ewmhReady) xcb_ewmh_connection_wipe(&ewmh);
    if (ownsConnection && connection != nullptr) xcb_disconnect(connection);
  }

  void attach(xcb_connection_t* c, int screen, bool owns) {
    connection = c;
    ownsConnection = owns;
    if (xcb_connection_has_error(c)) return;
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(c));
    for (int i = 0; it.rem > 0 && i < screen; ++i) xcb_screen_next(&it);
    if (it.rem == 0) return;
    screenNumber = screen;
    root = it.data->root;
    screenRect = {0, 0, it.data->width_in_pixels, it.data->height_in_pixels};
    const auto wmStateCookie = xcb_intern_atom(c, 0, 8, "WM_STATE");
    xcb_intern_atom_cookie_t* cookies = xcb_ewmh_init_atoms(c, &ewmh);
    ewmhReady = xcb_ewmh_init_atoms_replies(&ewmh, cookies, nullptr) != 0;
    if (auto reply = Take(c, &xcb_intern_atom_reply, wmStateCookie)) wmStateAtom = reply->atom;
    if (!ewmhReady) return;
    atoms = {wmStateAtom, ewmh._NET_WM_STATE, ewmh._NET_WM_NAME, XCB_ATOM_WM_NAME,
             ewmh._NET_FRAME_EXTENTS, XCB_ATOM_WM_TRANSIENT_FOR, ewmh._NET_WM_PID,
             ewmh._NET_WM_WINDOW_TYPE};
  }

  bool ready() const { return ewmhReady && !xcb_connection_has_error(connection); }

  void sendRequests(const std::vector<xcb_window_t>& windows) {
    requests.resize(windows.size());
    for (std::size_t i = 0; i < windows.size(); ++i) {
      WindowRequests& r = requests[i];
      const xcb_window_t w = r.window = windows[i];
      r.attributes = xcb_get_window_attributes(connection, w);
      r.geometry = xcb_get_geometry(connection, w);
      r.position = xcb_translate_coordinates(connection, w, root, 0, 0);
      for (int p = 0; p < kPropertyCount; ++p)
        r.properties[p] =
            xcb_get_property(connection, 0, w, atoms[p], XCB_GET_PROPERTY_TYPE_ANY, 0, lengths[p]);
    }
  }

  void discardRequests() {
    for (const WindowRequests& r : requests) {
      xcb_discard_reply(connection, r.attributes.sequence);
      xcb_discard_reply(connection, r.geometry.sequence);
      xcb_discard_reply(connection, r.position.sequence);
      for (const auto& cookie : r.properties) xcb_discard_reply(connection, cookie.sequence);
    }
    requests.clear();
  }

  // Fills list, bottom-most first; without a window manager, from the root's children.
  bool readStackingList(xcb_get_property_cookie_t cookie) {
    list.clear();
    const auto reply = TakeProperty(connection, cookie);
    managed = reply != nullptr && reply->type == XCB_ATOM_WINDOW;
    if (managed) {
      const auto items = Items(reply.get());
      list.assign(items.begin(), items.end());
      return true;
    }
    const auto tree = Take(connection, &xcb_query_tree_reply, xcb_query_tree(connection, root));
    if (tree == nullptr) return false;
    const xcb_window_t* children = xcb_query_tree_children(tree.get());
    list.assign(children, children + xcb_query_tree_children_length(tree.get()));
    return true;
  }

  bool isExcluded(xcb_window_t window, const xcb_get_property_reply_t* pid) const {
    if (std::find(excluded.begin(), excluded.end(), window) != excluded.end()) return true;
    const auto items = Items(pid);
    return excludeOwnProcess && !items.empty() && items[0] == static_cast<std::uint32_t>(getpid());
  }

  // Reads the replies for one window; false when it is not to be listed.
  bool readWindow(const WindowRequests& r, DesktopWindow& out) {
    xcb_connection_t* c = connection;
    const auto attributes = Take(c, &xcb_get_window_attributes_reply, r.attributes);
    const auto geometry = Take(c, &xcb_get_geometry_reply, r.geometry);
    const auto position = Take(c, &xcb_translate_coordinates_reply, r.position);
    std::array<ReplyPtr<xcb_get_property_reply_t>, kPropertyCount> p;
    for (int i = 0; i < kPropertyCount; ++i) p[i] = TakeProperty(c, r.properties[i]);

    if (!attributes || !geometry || !position) return false;  // gone meanwhile
    if (attributes->override_redirect || attributes->_class == XCB_WINDOW_CLASS_INPUT_ONLY) return false;
    if (isExcluded(r.window, p[kPid].get())) return false;
    const auto types = Items(p[kType].get());
    if (Contains(types, ewmh._NET_WM_WINDOW_TYPE_DOCK)) return false;  // panels are no place to sit

    const auto states = Items(p[kNetState].get());
    const auto wmState = Items(p[kWmState].get());
    const auto extents = Items(p[kExtents].get());
    const auto owner = Items(p[kOwner].get());
    const int border = geometry->border_width;
    const int left = position->dst_x - border;
    const int top = position->dst_y - border;
    const int right = position->dst_x + geometry->width + border;
    const int bottom = position->dst_y + geometry->height + border;
    const bool framed = extents.size() == 4;

    out.id = r.window;
    out.visible = attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    out.minimised = (!wmState.empty() && wmState[0] == kIconicState) ||
                    Contains(states, ewmh._NET_WM_STATE_HIDDEN);
    out.hasTitle = HasText(p[kNetName].get()) || HasText(p[kWmName].get());
    out.frame = framed ? Rect{left - static_cast<int>(extents[0]), top - static_cast<int>(extents[2]),
                              right + static_cast<int>(extents[1]), bottom + static_cast<int>(extents[3])}
                       : Rect{left, top, right, bottom};
    out.owner = owner.empty() || owner[0] == root ? kNoWindow : owner[0];
    out.topmost = Contains(states, ewmh._NET_WM_STATE_ABOVE);
    out.desktop = Contains(types, ewmh._NET_WM_WINDOW_TYPE_DESKTOP);
    return true;
  }
};

X11DesktopWindows::X11DesktopWindows() : state_(std::make_unique<State>()) {
  if (xcb_connection_t* connection = ToolkitX11Connection())
    state_->attach(connection, DefaultScreenNumber(), false);
}

X11DesktopWindows::X11DesktopWindows(const char* displayName) : state_(std::make_unique<State>()) {
  int screen = 0;
  state_->attach(xcb_connect(displayName, &screen), screen, true);
}

X11DesktopWindows::~X11DesktopWindows() = default;

bool X11DesktopWindows::isConnected() const { return state_->ready(); }
xcb_connection_t* X11DesktopWindows::connection() const { return state_->connection; }
xcb_window_t X11DesktopWindows::rootWindow() const { return state_->root; }

void X11DesktopWindows::excludeWindow(WindowId window) {
  state_->excluded.push_back(static_cast<xcb_window_t>(window));
}

void X11DesktopWindows::setExcludeOwnProcess(bool exclude) { state_->excludeOwnProcess = exclude; }

bool X11DesktopWindows::listWindows(std::vector<DesktopWindow>& windows) {
  windows.clear();
  State& s = *state_;
  if (!s.ready()) return false;
  // Ask about the windows of the last look while the list is on its way;
  // when the list is the same, one round trip answers everything.
  const auto listCookie = xcb_get_property(s.connection, 0, s.root, s.ewmh._NET_CLIENT_LIST_STACKING,
                                           XCB_ATOM_WINDOW, 0, 65536);
  s.sendRequests(s.lastList);
  if (!s.readStackingList(listCookie)) {
    s.discardRequests();
    return false;
  }
  if (s.list != s.lastList) {
    s.discardRequests();
    s.sendRequests(s.list);
    s.lastList.assign(s.list.begin(), s.list.end());
  }
  windows.resize(s.requests.size());
  std::size_t kept = 0;
  for (auto it = s.requests.rbegin(); it != s.requests.rend(); ++it)
    if (s.readWindow(*it, windows[kept])) ++kept;
  windows.resize(kept);
  s.requests.clear();
  // Without a desktop window the root is the desktop: it ends the list, so
  // a lone window is not taken for the desktop.
  if (std::none_of(windows.begin(), windows.end(), [](const DesktopWindow& w) { return w.desktop; }))
    windows.push_back({s.root, true, false, false, s.screenRect, kNoWindow, false, true});
  return true;
}

void X11DesktopWindows::raiseWindow(WindowId window) {
  State& s = *state_;
  if (!s.ready() || window == kNoWindow) return;
  const auto w = static_cast<xcb_window_t>(window);
  if (s.managed) {
    // As a pager would ask: window managers honour it without focus-stealing checks.
    xcb_ewmh_request_change_active_window(&s.ewmh, s.screenNumber, w, XCB_EWMH_CLIENT_SOURCE_TYPE_OTHER,
                                          XCB_CURRENT_TIME, XCB_NONE);
  } else {
    const std::uint32_t above = XCB_STACK_MODE_ABOVE;
    xcb_configure_window(s.connection, w, XCB_CONFIG_WINDOW_STACK_MODE, &above);
  }
  xcb_flush(s.connection);
}

int X11DesktopWindows::workAreaTop() {
  State& s = *state_;
  if (!s.ready()) return 0;
  // The window manager publishes one area per virtual desktop.
  const auto desktopCookie = xcb_ewmh_get_current_desktop(&s.ewmh, s.screenNumber);
  const auto areaCookie = xcb_ewmh_get_workarea(&s.ewmh, s.screenNumber);
  std::uint32_t desktop = 0;
  if (!xcb_ewmh_get_current_desktop_reply(&s.ewmh, desktopCookie, &desktop, nullptr)) desktop = 0;
  xcb_ewmh_get_workarea_reply_t areas{};
  if (!xcb_ewmh_get_workarea_reply(&s.ewmh, areaCookie, &areas, nullptr)) return 0;
  const int top = desktop < areas.workarea_len ? static_cast<int>(areas.workarea[desktop].y) : 0;
  xcb_ewmh_get_workarea_reply_wipe(&areas);
  return top;
}

std::string X11DesktopWindows::windowTitle(WindowId window) {
  State& s = *state_;
  if (!s.ready()) return {};
  const auto w = static_cast<xcb_window_t>(window);
  const auto netName = xcb_get_property(s.connection, 0, w, s.ewmh._NET_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY,
                                        0, kMaxTitleLongs);
  const auto wmName = xcb_get_property(s.connection, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0,
                                       kMaxTitleLongs);
  const auto net = TakeProperty(s.connection, netName);
  const auto legacy = TakeProperty(s.connection, wmName);
  const auto bytes = [](const xcb_get_property_reply_t* reply) {
    if (reply == nullptr || reply->format != 8) return std::string();
    return std::string(static_cast<const char*>(xcb_get_property_value(reply)),
                       static_cast<std::size_t>(xcb_get_property_value_length(reply)));
  };
  std::string title = bytes(net.get());
  if (!title.empty()) return title;
  title = bytes(legacy.get());
  if (legacy == nullptr || legacy->type != XCB_ATOM_STRING) return title;
  std::string utf8;  // STRING is Latin-1
  for (unsigned char ch : title) {
    if (ch < 0x80) {
      utf8 += static_cast<char>(ch);
    } else {
      utf8 += static_cast<char>(0xC0 | (ch >> 6));
      utf8 += static_cast<char>(0x80 | (ch & 0x3F));
    }
  }
  return utf8;
}

}  // namespace mascot
