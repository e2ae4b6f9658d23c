#include "host/x11_window_facts.h"

#include <algorithm>

#include "host/x11_replies.h"

namespace mascot {
namespace {

constexpr std::uint32_t kIconicState = 3;  // ICCCM WM_STATE
// How many 32-bit items of each property are asked for; the names only by
// their length.
constexpr std::array<std::uint32_t, kPartCount> kPropertyLongs{0, 0, 2, 32, 0, 0, 4, 1, 1, 16};

bool HasText(const xcb_get_property_reply_t* reply) {
  return reply != nullptr && reply->type != XCB_NONE &&
         (reply->bytes_after > 0 || xcb_get_property_value_length(reply) > 0);
}

bool Asked(std::uint32_t parts, int part) { return (parts & (1u << part)) != 0; }

}  // namespace

WindowAtoms::WindowAtoms(const xcb_ewmh_connection_t& ewmh, xcb_atom_t wmState) {
  property[kPartWmState] = wmState;
  property[kPartNetState] = ewmh._NET_WM_STATE;
  property[kPartNetName] = ewmh._NET_WM_NAME;
  property[kPartWmName] = XCB_ATOM_WM_NAME;
  property[kPartExtents] = ewmh._NET_FRAME_EXTENTS;
  property[kPartOwner] = XCB_ATOM_WM_TRANSIENT_FOR;
  property[kPartPid] = ewmh._NET_WM_PID;
  property[kPartType] = ewmh._NET_WM_WINDOW_TYPE;
  stateHidden = ewmh._NET_WM_STATE_HIDDEN;
  stateAbove = ewmh._NET_WM_STATE_ABOVE;
  typeDock = ewmh._NET_WM_WINDOW_TYPE_DOCK;
  typeDesktop = ewmh._NET_WM_WINDOW_TYPE_DESKTOP;
}

int WindowAtoms::partOf(xcb_atom_t atom) const {
  if (atom == XCB_NONE) return -1;
  for (int part = kFirstPropertyPart; part < kPartCount; ++part)
    if (property[part] == atom) return part;
  return -1;
}

DesktopWindow WindowFacts::describe(xcb_window_t id, xcb_window_t root) const {
  DesktopWindow out;
  const int left = x - border, top = y - border;
  const int right = x + width + border, bottom = y + height + border;
  out.id = id;
  out.visible = viewable;
  out.minimised = iconic || hidden;
  out.hasTitle = netName || wmName;
  out.frame = framed ? Rect{left - extents[0], top - extents[2], right + extents[1], bottom + extents[3]}
                     : Rect{left, top, right, bottom};
  out.owner = owner == XCB_NONE || owner == root ? kNoWindow : owner;
  out.topmost = above;
  out.desktop = desktopType;
  return out;
}

void WindowQuestions::send(xcb_connection_t* c, xcb_window_t window, xcb_window_t root, std::uint32_t parts,
                           const WindowAtoms& atoms) {
  parts_ = parts;
  if (Asked(parts, kPartAttributes)) attributes_ = xcb_get_window_attributes(c, window);
  if (Asked(parts, kPartGeometry)) {
    geometry_ = xcb_get_geometry(c, window);
    position_ = xcb_translate_coordinates(c, window, root, 0, 0);
  }
  for (int part = kFirstPropertyPart; part < kPartCount; ++part)
    if (Asked(parts, part))
      properties_[part] = xcb_get_property(c, 0, window, atoms.property[part], XCB_GET_PROPERTY_TYPE_ANY, 0,
                                           kPropertyLongs[part]);
}

void WindowQuestions::read(xcb_connection_t* c, const WindowAtoms& atoms, WindowFacts& facts) {
  if (Asked(parts_, kPartAttributes)) {
    const auto attributes = Take(c, &xcb_get_window_attributes_reply, attributes_);
    if (attributes) {
      facts.overrideRedirect = attributes->override_redirect != 0;
      facts.inputOnly = attributes->_class == XCB_WINDOW_CLASS_INPUT_ONLY;
      facts.viewable = attributes->map_state == XCB_MAP_STATE_VIEWABLE;
    } else {
      facts.gone = true;
    }
  }
  if (Asked(parts_, kPartGeometry)) {
    const auto geometry = Take(c, &xcb_get_geometry_reply, geometry_);
    const auto position = Take(c, &xcb_translate_coordinates_reply, position_);
    if (geometry && position) {
      facts.x = position->dst_x;
      facts.y = position->dst_y;
      facts.width = geometry->width;
      facts.height = geometry->height;
      facts.border = geometry->border_width;
    } else {
      facts.gone = true;
    }
  }
  for (int part = kFirstPropertyPart; part < kPartCount; ++part) {
    if (!Asked(parts_, part)) continue;
    const auto reply = TakeProperty(c, properties_[part]);
    const auto items = Items(reply.get());
    switch (part) {
      case kPartWmState:
        facts.iconic = !items.empty() && items[0] == kIconicState;
        break;
      case kPartNetState:
        facts.hidden = Contains(items, atoms.stateHidden);
        facts.above = Contains(items, atoms.stateAbove);
        break;
      case kPartNetName:
        facts.netName = HasText(reply.get());
        break;
      case kPartWmName:
        facts.wmName = HasText(reply.get());
        break;
      case kPartExtents:
        facts.framed = items.size() == 4;
        for (std::size_t i = 0; i < 4; ++i)
          facts.extents[i] = facts.framed ? static_cast<std::int32_t>(items[i]) : 0;
        break;
      case kPartOwner:
        facts.owner = items.empty() ? XCB_NONE : items[0];
        break;
      case kPartPid:
        facts.hasPid = !items.empty();
        facts.pid = facts.hasPid ? items[0] : 0;
        break;
      case kPartType:
        facts.dock = Contains(items, atoms.typeDock);
        facts.desktopType = Contains(items, atoms.typeDesktop);
        break;
    }
  }
  parts_ = 0;
}

void WindowQuestions::discard(xcb_connection_t* c) {
  if (Asked(parts_, kPartAttributes)) xcb_discard_reply(c, attributes_.sequence);
  if (Asked(parts_, kPartGeometry)) {
    xcb_discard_reply(c, geometry_.sequence);
    xcb_discard_reply(c, position_.sequence);
  }
  for (int part = kFirstPropertyPart; part < kPartCount; ++part)
    if (Asked(parts_, part)) xcb_discard_reply(c, properties_[part].sequence);
  parts_ = 0;
}

}  // namespace mascot
