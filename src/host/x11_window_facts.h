#pragma once
#include <xcb/xcb.h>
#include <xcb/xcb_ewmh.h>

#include <array>
#include <cstdint>

#include "tracking/desktop_windows.h"

namespace mascot {

// The parts of a top-level window the server is asked about, each on its
// own: an event that changes one part makes only that part stale.
enum WindowPart : int {
  kPartAttributes,  // map state, override-redirect, class
  kPartGeometry,    // size, border and place on the root
  kPartWmState,     // ICCCM WM_STATE (iconic)
  kPartNetState,    // _NET_WM_STATE (hidden, above)
  kPartNetName,     // _NET_WM_NAME, whether there is one
  kPartWmName,      // WM_NAME, whether there is one
  kPartExtents,     // _NET_FRAME_EXTENTS
  kPartOwner,       // WM_TRANSIENT_FOR
  kPartPid,         // _NET_WM_PID
  kPartType,        // _NET_WM_WINDOW_TYPE
  kPartCount
};
inline constexpr std::uint32_t kAllParts = (1u << kPartCount) - 1;
inline constexpr int kFirstPropertyPart = kPartWmState;

// The atoms the parts are read from, and what the facts are compared with.
struct WindowAtoms {
  std::array<xcb_atom_t, kPartCount> property{};  // XCB_NONE for the non-property parts
  xcb_atom_t stateHidden = XCB_NONE;
  xcb_atom_t stateAbove = XCB_NONE;
  xcb_atom_t typeDock = XCB_NONE;
  xcb_atom_t typeDesktop = XCB_NONE;

  WindowAtoms() = default;
  WindowAtoms(const xcb_ewmh_connection_t& ewmh, xcb_atom_t wmState);
  // The part a property holds; -1 for a property no part is read from.
  int partOf(xcb_atom_t property) const;
};

// What the server last said about one window.
struct WindowFacts {
  bool gone = false;  // the server no longer knows the window
  bool overrideRedirect = false;
  bool inputOnly = false;
  bool viewable = false;
  int x = 0, y = 0;  // the client area's top-left on the root
  int width = 0, height = 0, border = 0;
  bool iconic = false;
  bool hidden = false, above = false;
  bool netName = false, wmName = false;
  bool framed = false;
  std::array<std::int32_t, 4> extents{};  // left, right, top, bottom
  xcb_window_t owner = XCB_NONE;
  bool hasPid = false;
  std::uint32_t pid = 0;
  bool dock = false, desktopType = false;

  // Whether the tracking sees it at all: panels, pop-ups and input-only
  // windows are no place to sit.
  bool listable() const { return !gone && !overrideRedirect && !inputOnly && !dock; }
  // The desktop's view of it; root is what a transient owner of "the root"
  // means.
  DesktopWindow describe(xcb_window_t id, xcb_window_t root) const;
};

// The questions about some parts of one window, sent together and answered
// later; replies of a window that vanished meanwhile are dropped.
class WindowQuestions {
 public:
  void send(xcb_connection_t* c, xcb_window_t window, xcb_window_t root, std::uint32_t parts,
            const WindowAtoms& atoms);
  // Reads every reply into facts; a failed attributes or geometry question
  // marks the window gone.
  void read(xcb_connection_t* c, const WindowAtoms& atoms, WindowFacts& facts);
  void discard(xcb_connection_t* c);

 private:
  std::uint32_t parts_ = 0;
  xcb_get_window_attributes_cookie_t attributes_{};
  xcb_get_geometry_cookie_t geometry_{};
  xcb_translate_coordinates_cookie_t position_{};
  std::array<xcb_get_property_cookie_t, kPartCount> properties_{};
};

}  // namespace mascot
