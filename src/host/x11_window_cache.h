#pragma once
#include <sys/types.h>
#include <xcb/xcb.h>

#include <cstdint>
#include <functional>
#include <unordered_map>
#include <vector>

#include "host/x11_window_facts.h"

namespace mascot {

// The desktop's top-level windows as last read, kept up to date by the X
// events that change them, so that a look at an unchanged desktop asks the
// server nothing. Windows are listened to (property changes and structure
// events on the window and on each window it sits in below the root) from
// the first look on; the root's stacking list is read again when the root
// says it changed. Without a window manager the root's children are the
// list, read at every look.
//
// Every event of the connection must reach handleEvent: from the toolkit's
// event filter on its connection, or read by the owner on one of its own.
// The program's own windows (by process id) are known but never listened to,
// as the toolkit's event selection on them must stay as it is.
class X11WindowCache {
 public:
  X11WindowCache(xcb_connection_t* connection, xcb_window_t root, const WindowAtoms& atoms,
                 xcb_atom_t stackingAtom, xcb_atom_t workAreaAtom);

  // Adds the root's property changes to what the connection already asks of
  // the root. Once, before the first update.
  void listen();
  // Notes what the event changed; the listener hears of every event that
  // changed something a look at the desktop reads (also the work area).
  void handleEvent(const xcb_generic_event_t* event);
  void setChangeListener(std::function<void()> listener) { changeListener_ = std::move(listener); }

  // Reads what changed since the last update. False when the desktop cannot
  // be read.
  bool update();

  // The windows of the stacking list, bottom-most first.
  const std::vector<xcb_window_t>& stacking() const { return stacking_; }
  // What is known of a listed window; null for the program's own windows
  // and windows not in the list.
  const WindowFacts* facts(xcb_window_t window) const;
  // Whether a window manager publishes the stacking list.
  bool managed() const { return managed_; }
  // How often an update waited for the server, since the start.
  std::uint64_t roundTrips() const { return roundTrips_; }

 private:
  struct Entry {
    WindowFacts facts;
    std::uint32_t stale = kAllParts;
    bool own = false;
    bool introduced = false;              // listened to, its place under the root known
    std::vector<xcb_window_t> ancestors;  // the windows it sits in, below the root
  };

  static bool Concerns(xcb_window_t id, const Entry& entry, xcb_window_t window);
  bool noteEvent(const xcb_generic_event_t* event);
  bool readStacking(xcb_get_property_cookie_t cookie);
  void refreshStale();
  void adoptNewWindows();
  void followAncestors(std::vector<xcb_window_t> windows);
  // Marks the window and the windows sitting in it; false when it is none of
  // them.
  bool markStale(xcb_window_t window, std::uint32_t parts);
  void listenTo(xcb_window_t window, std::uint32_t mask);

  xcb_connection_t* connection_;
  xcb_window_t root_;
  WindowAtoms atoms_;
  xcb_atom_t stackingAtom_;
  xcb_atom_t workAreaAtom_;
  std::function<void()> changeListener_;
  pid_t pid_;
  bool stackingStale_ = true;
  bool managed_ = false;
  std::vector<xcb_window_t> stacking_;
  std::unordered_map<xcb_window_t, Entry> entries_;
  std::vector<std::pair<xcb_window_t, WindowQuestions>> questions_;
  std::uint64_t roundTrips_ = 0;
};

}  // namespace mascot
