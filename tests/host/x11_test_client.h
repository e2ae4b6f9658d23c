#pragma once
#include <xcb/xcb.h>

#include <QImage>

#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <thread>
#include <vector>

#include "imaging/region.h"

namespace mascot::testing {

// Polls until the condition holds; false when time runs out.
template <typename Condition>
bool WaitFor(Condition condition, std::chrono::seconds timeout = std::chrono::seconds(5)) {
  const auto end = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return true;
}

// Another application on the test display, with plain titled windows.
class X11TestClient {
 public:
  X11TestClient()
      : c_(xcb_connect(nullptr, nullptr)), screen_(xcb_setup_roots_iterator(xcb_get_setup(c_)).data) {}
  ~X11TestClient() { xcb_disconnect(c_); }
  xcb_connection_t* connection() const { return c_; }

  xcb_atom_t atom(const char* name) {
    auto* reply = xcb_intern_atom_reply(c_, xcb_intern_atom(c_, 0, std::strlen(name), name), nullptr);
    const xcb_atom_t atom = reply ? reply->atom : XCB_NONE;
    std::free(reply);
    return atom;
  }

  // A mapped window where the window manager is told to put it (USPosition),
  // of an EWMH type when one is named.
  xcb_window_t createWindow(const std::string& title, Rect r, std::uint32_t colour, const char* type = nullptr) {
    const xcb_window_t w = xcb_generate_id(c_);
    const std::uint32_t width = r.right - r.left, height = r.bottom - r.top;
    xcb_create_window(c_, XCB_COPY_FROM_PARENT, w, screen_->root, r.left, r.top, width, height, 0,
                      XCB_WINDOW_CLASS_INPUT_OUTPUT, screen_->root_visual, XCB_CW_BACK_PIXEL, &colour);
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, atom("_NET_WM_NAME"), atom("UTF8_STRING"), 8,
                        title.size(), title.data());
    const std::uint32_t hints[18] = {1 | 2, std::uint32_t(r.left), std::uint32_t(r.top), width, height};
    xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NORMAL_HINTS, XCB_ATOM_WM_SIZE_HINTS,
                        32, 18, hints);
    if (type != nullptr) {
      const xcb_atom_t typeAtom = atom(type);
      xcb_change_property(c_, XCB_PROP_MODE_REPLACE, w, atom("_NET_WM_WINDOW_TYPE"), XCB_ATOM_ATOM, 32, 1, &typeAtom);
    }
    xcb_map_window(c_, w);
    xcb_flush(c_);
    return w;
  }

  // Minimises as a client asks for it (ICCCM WM_CHANGE_STATE, IconicState).
  void iconify(xcb_window_t w) {
    xcb_client_message_event_t event{};
    event.response_type = XCB_CLIENT_MESSAGE;
    event.format = 32;
    event.window = w;
    event.type = atom("WM_CHANGE_STATE");
    event.data.data32[0] = 3;
    xcb_send_event(c_, 0, screen_->root,
                   XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                   reinterpret_cast<const char*>(&event));
    xcb_flush(c_);
  }

  // The window's client area on the screen.
  Rect clientRect(xcb_window_t w) {
    auto* g = xcb_get_geometry_reply(c_, xcb_get_geometry(c_, w), nullptr);
    auto* p = xcb_translate_coordinates_reply(
        c_, xcb_translate_coordinates(c_, w, screen_->root, 0, 0), nullptr);
    Rect r;
    if (g && p) r = {p->dst_x, p->dst_y, p->dst_x + g->width, p->dst_y + g->height};
    std::free(g);
    std::free(p);
    return r;
  }

  // The screen as the tests look at it.
  bool saveScreenshot(const char* path) {
    auto* image = xcb_get_image_reply(
        c_, xcb_get_image(c_, XCB_IMAGE_FORMAT_Z_PIXMAP, screen_->root, 0, 0, 1024, 768, ~0u), nullptr);
    const bool saved = image && QImage(xcb_get_image_data(image), 1024, 768, QImage::Format_RGB32).save(path);
    std::free(image);
    return saved;
  }

  // The first window on the screen, a top-level one or a client inside a
  // window manager's frame (KWin wraps clients twice), that the test picks;
  // 0 for none.
  xcb_window_t findShownWindow(const std::function<bool(xcb_window_t)>& picks) {
    return findShownBelow(screen_->root, picks, 3);
  }

  // The class half of WM_CLASS.
  std::string windowClass(xcb_window_t w) {
    const std::string both = property(w, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
    const std::size_t end = both.find('\0');
    return end == std::string::npos ? std::string() : std::string(both.c_str() + end + 1);
  }

  bool hasWindowType(xcb_window_t w, const char* type) { return holdsAtom(w, "_NET_WM_WINDOW_TYPE", type); }
  bool hasState(xcb_window_t w, const char* state) { return holdsAtom(w, "_NET_WM_STATE", state); }

  // An atom among those of a property that lists atoms.
  bool holdsAtom(xcb_window_t w, const char* listName, const char* name) {
    const std::string atoms = property(w, atom(listName), XCB_ATOM_ATOM);
    const xcb_atom_t wanted = atom(name);
    for (std::size_t i = 0; i + 4 <= atoms.size(); i += 4)
      if (std::memcmp(atoms.data() + i, &wanted, 4) == 0) return true;
    return false;
  }

  std::string title(xcb_window_t w) { return property(w, atom("_NET_WM_NAME"), atom("UTF8_STRING")); }
  // The window that shows the program's commands on a desktop without a
  // tray carries the mascot's title too.
  bool isCommandsWindow(xcb_window_t w) { return property(w, atom("WM_WINDOW_ROLE"), XCB_ATOM_STRING) == "commands"; }

  std::string property(xcb_window_t w, xcb_atom_t name, xcb_atom_t type) {
    auto* reply = xcb_get_property_reply(c_, xcb_get_property(c_, 0, w, name, type, 0, 4096), nullptr);
    std::string value;
    if (reply) value.assign(static_cast<const char*>(xcb_get_property_value(reply)),
                            xcb_get_property_value_length(reply) * (reply->format / 8));
    std::free(reply);
    return value;
  }

 private:
  xcb_window_t findShownBelow(xcb_window_t parent, const std::function<bool(xcb_window_t)>& picks, int depth) {
    for (const xcb_window_t w : children(parent)) {
      if (!isViewable(w)) continue;
      if (picks(w)) return w;
      if (depth > 1)
        if (const xcb_window_t found = findShownBelow(w, picks, depth - 1)) return found;
    }
    return 0;
  }

  std::vector<xcb_window_t> children(xcb_window_t w) {
    std::vector<xcb_window_t> result;
    if (auto* tree = xcb_query_tree_reply(c_, xcb_query_tree(c_, w), nullptr)) {
      const xcb_window_t* list = xcb_query_tree_children(tree);
      result.assign(list, list + xcb_query_tree_children_length(tree));
      std::free(tree);
    }
    return result;
  }

  bool isViewable(xcb_window_t w) {
    auto* attributes = xcb_get_window_attributes_reply(c_, xcb_get_window_attributes(c_, w), nullptr);
    const bool viewable = attributes && attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    std::free(attributes);
    return viewable;
  }

  xcb_connection_t* c_;
  xcb_screen_t* screen_;
};

}  // namespace mascot::testing
