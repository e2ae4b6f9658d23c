#include "host/x11_desktop_windows.h"

#include <unistd.h>
#include <xcb/xcb_ewmh.h>

#include <QAbstractNativeEventFilter>
#include <QCoreApplication>

#include <algorithm>
#include <cstdlib>

#include "host/x11_replies.h"
#include "host/x11_screen.h"
#include "host/x11_window_cache.h"

namespace mascot {
namespace {

constexpr std::uint32_t kMaxTitleLongs = 256;

// Hands the toolkit's X events to the cache; the toolkit handles them as
// before.
class CacheEventFilter final : public QAbstractNativeEventFilter {
 public:
  explicit CacheEventFilter(X11WindowCache& cache) : cache_(cache) {}
  bool nativeEventFilter(const QByteArray& eventType, void* message, qintptr*) override {
    if (eventType == "xcb_generic_event_t")
      cache_.handleEvent(static_cast<const xcb_generic_event_t*>(message));
    return false;
  }

 private:
  X11WindowCache& cache_;
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
  std::vector<xcb_window_t> excluded;
  std::unique_ptr<X11WindowCache> cache;
  std::unique_ptr<CacheEventFilter> filter;

  ~State() {
    if (filter && QCoreApplication::instance() != nullptr)
      QCoreApplication::instance()->removeNativeEventFilter(filter.get());
    filter.reset();
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
    xcb_atom_t wmState = XCB_NONE;
    if (auto reply = Take(c, &xcb_intern_atom_reply, wmStateCookie)) wmState = reply->atom;
    if (!ewmhReady) return;
    cache = std::make_unique<X11WindowCache>(c, root, WindowAtoms(ewmh, wmState),
                                             ewmh._NET_CLIENT_LIST_STACKING, ewmh._NET_WORKAREA);
    if (!owns) {
      filter = std::make_unique<CacheEventFilter>(*cache);
      QCoreApplication::instance()->installNativeEventFilter(filter.get());
    }
    cache->listen();
  }

  bool ready() const { return ewmhReady && !xcb_connection_has_error(connection); }

  // On a connection of its own the events wait in the connection's queue.
  void takeEvents() {
    if (!ownsConnection) return;
    while (xcb_generic_event_t* event = xcb_poll_for_event(connection)) {
      cache->handleEvent(event);
      std::free(event);
    }
  }

  bool isExcluded(xcb_window_t window) const {
    return std::find(excluded.begin(), excluded.end(), window) != excluded.end();
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
Rect X11DesktopWindows::screenRect() const { return state_->screenRect; }

void X11DesktopWindows::excludeWindow(WindowId window) {
  state_->excluded.push_back(static_cast<xcb_window_t>(window));
}

bool X11DesktopWindows::listWindows(std::vector<DesktopWindow>& windows) {
  windows.clear();
  State& s = *state_;
  if (!s.ready()) return false;
  s.takeEvents();
  if (!s.cache->update()) return false;
  const auto& stacking = s.cache->stacking();
  for (auto it = stacking.rbegin(); it != stacking.rend(); ++it) {
    const WindowFacts* facts = s.cache->facts(*it);
    if (facts != nullptr && facts->listable() && !s.isExcluded(*it))
      windows.push_back(facts->describe(*it, s.root));
  }
  // Without a desktop window the root is the desktop: it ends the list, so
  // a lone window is not taken for the desktop.
  if (std::none_of(windows.begin(), windows.end(), [](const DesktopWindow& w) { return w.desktop; }))
    windows.push_back({s.root, true, false, false, s.screenRect, kNoWindow, false, true});
  return true;
}

bool X11DesktopWindows::notifiesChanges() const { return state_->filter != nullptr; }

void X11DesktopWindows::setChangeListener(std::function<void()> listener) {
  if (state_->cache) state_->cache->setChangeListener(std::move(listener));
}

std::uint64_t X11DesktopWindows::roundTrips() const {
  return state_->cache ? state_->cache->roundTrips() : 0;
}

void X11DesktopWindows::raiseWindow(WindowId window) {
  State& s = *state_;
  if (!s.ready() || window == kNoWindow) return;
  const auto w = static_cast<xcb_window_t>(window);
  if (s.cache->managed()) {
    // As a pager would ask: window managers honour it without focus-stealing
    // checks.
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
  const auto netName =
      xcb_get_property(s.connection, 0, w, s.ewmh._NET_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, kMaxTitleLongs);
  const auto wmName =
      xcb_get_property(s.connection, 0, w, XCB_ATOM_WM_NAME, XCB_GET_PROPERTY_TYPE_ANY, 0, kMaxTitleLongs);
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
