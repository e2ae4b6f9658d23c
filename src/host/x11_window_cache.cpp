#include "host/x11_window_cache.h"

#include <unistd.h>

#include <algorithm>

#include "host/x11_replies.h"

namespace mascot {
namespace {

constexpr std::uint32_t kClientEvents = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_STRUCTURE_NOTIFY;
constexpr std::uint32_t kAncestorEvents = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
// Window managers put a client one or two windows below the root; deeper
// chains are not followed further.
constexpr int kMaxAncestors = 8;
constexpr std::uint32_t kPlace = (1u << kPartAttributes) | (1u << kPartGeometry);

}  // namespace

X11WindowCache::X11WindowCache(xcb_connection_t* connection, xcb_window_t root, const WindowAtoms& atoms,
                               xcb_atom_t stackingAtom, xcb_atom_t workAreaAtom)
    : connection_(connection),
      root_(root),
      atoms_(atoms),
      stackingAtom_(stackingAtom),
      workAreaAtom_(workAreaAtom),
      pid_(getpid()) {}

void X11WindowCache::listen() {
  const auto attributes =
      Take(connection_, &xcb_get_window_attributes_reply, xcb_get_window_attributes(connection_, root_));
  const std::uint32_t mask = (attributes ? attributes->your_event_mask : 0) | XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection_);
  stackingStale_ = true;
}

void X11WindowCache::listenTo(xcb_window_t window, std::uint32_t mask) {
  xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &mask);
}

const WindowFacts* X11WindowCache::facts(xcb_window_t window) const {
  const auto it = entries_.find(window);
  if (it == entries_.end() || it->second.own || !it->second.introduced) return nullptr;
  return &it->second.facts;
}

// Whether an event on window tells of the entry: of its own window or of one
// it sits in. The program's own windows are not followed.
bool X11WindowCache::Concerns(xcb_window_t id, const Entry& entry, xcb_window_t window) {
  if (entry.own) return false;
  return id == window ||
         std::find(entry.ancestors.begin(), entry.ancestors.end(), window) != entry.ancestors.end();
}

bool X11WindowCache::markStale(xcb_window_t window, std::uint32_t parts) {
  bool marked = false;
  for (auto& [id, entry] : entries_) {
    if (!Concerns(id, entry, window)) continue;
    entry.stale |= parts;
    marked = true;
  }
  return marked;
}

void X11WindowCache::handleEvent(const xcb_generic_event_t* event) {
  if (noteEvent(event) && changeListener_) changeListener_();
}

bool X11WindowCache::noteEvent(const xcb_generic_event_t* event) {
  switch (event->response_type & ~0x80) {
    case XCB_PROPERTY_NOTIFY: {
      const auto* e = reinterpret_cast<const xcb_property_notify_event_t*>(event);
      if (e->window == root_) {
        if (e->atom == stackingAtom_) stackingStale_ = true;
        return e->atom == stackingAtom_ || e->atom == workAreaAtom_;
      }
      const int part = atoms_.partOf(e->atom);
      return part >= 0 && markStale(e->window, 1u << part);
    }
    case XCB_CONFIGURE_NOTIFY:
      return markStale(reinterpret_cast<const xcb_configure_notify_event_t*>(event)->window,
                       1u << kPartGeometry);
    case XCB_GRAVITY_NOTIFY:
      return markStale(reinterpret_cast<const xcb_gravity_notify_event_t*>(event)->window,
                       1u << kPartGeometry);
    case XCB_MAP_NOTIFY:
      return markStale(reinterpret_cast<const xcb_map_notify_event_t*>(event)->window, 1u << kPartAttributes);
    case XCB_UNMAP_NOTIFY:
      return markStale(reinterpret_cast<const xcb_unmap_notify_event_t*>(event)->window,
                       1u << kPartAttributes);
    case XCB_REPARENT_NOTIFY: {
      // A window that moved into another frame is followed from scratch.
      const xcb_window_t window = reinterpret_cast<const xcb_reparent_notify_event_t*>(event)->window;
      bool found = false;
      for (auto& [id, entry] : entries_) {
        if (!Concerns(id, entry, window)) continue;
        entry.introduced = false;
        entry.ancestors.clear();
        entry.stale = kAllParts;
        found = true;
      }
      return found;
    }
    case XCB_DESTROY_NOTIFY: {
      const xcb_window_t window = reinterpret_cast<const xcb_destroy_notify_event_t*>(event)->window;
      const auto it = entries_.find(window);
      if (it != entries_.end() && !it->second.own) it->second.facts.gone = true;
      return markStale(window, kPlace);
    }
    default:
      return false;
  }
}

bool X11WindowCache::update() {
  if (xcb_connection_has_error(connection_)) return false;
  const bool readList = stackingStale_ || !managed_;
  xcb_get_property_cookie_t listCookie{};
  if (readList)
    listCookie = xcb_get_property(connection_, 0, root_, stackingAtom_, XCB_ATOM_WINDOW, 0, 65536);
  // The changed parts of the windows already known are asked for while the
  // list is on its way: one wait answers both.
  for (const xcb_window_t window : stacking_) {
    Entry& entry = entries_[window];
    if (entry.own || !entry.introduced || entry.stale == 0) continue;
    questions_.emplace_back(window, WindowQuestions{});
    questions_.back().second.send(connection_, window, root_, entry.stale, atoms_);
    entry.stale = 0;
  }
  if (readList || !questions_.empty()) ++roundTrips_;
  if (readList) {
    stackingStale_ = false;
    if (!readStacking(listCookie)) {
      for (auto& [window, questions] : questions_) questions.discard(connection_);
      questions_.clear();
      return false;
    }
  }
  refreshStale();
  adoptNewWindows();
  return !xcb_connection_has_error(connection_);
}

bool X11WindowCache::readStacking(xcb_get_property_cookie_t cookie) {
  const auto reply = TakeProperty(connection_, cookie);
  managed_ = reply != nullptr && reply->type == XCB_ATOM_WINDOW;
  if (managed_) {
    const auto items = Items(reply.get());
    stacking_.assign(items.begin(), items.end());
    return true;
  }
  ++roundTrips_;
  const auto tree = Take(connection_, &xcb_query_tree_reply, xcb_query_tree(connection_, root_));
  if (tree == nullptr) return false;
  const xcb_window_t* children = xcb_query_tree_children(tree.get());
  stacking_.assign(children, children + xcb_query_tree_children_length(tree.get()));
  return true;
}

void X11WindowCache::refreshStale() {
  for (auto& [window, questions] : questions_) questions.read(connection_, atoms_, entries_[window].facts);
  questions_.clear();
}

void X11WindowCache::adoptNewWindows() {
  std::vector<xcb_window_t> listed = stacking_;
  std::sort(listed.begin(), listed.end());
  std::erase_if(entries_, [&](const auto& item) {
    return !std::binary_search(listed.begin(), listed.end(), item.first);
  });

  std::vector<xcb_window_t> fresh;
  for (const xcb_window_t window : stacking_)
    if (!entries_[window].introduced) fresh.push_back(window);
  if (fresh.empty()) return;

  // The process id first: the program's own windows keep the toolkit's event
  // selection and are not asked about further.
  std::vector<xcb_get_property_cookie_t> pids;
  for (const xcb_window_t window : fresh)
    pids.push_back(
        xcb_get_property(connection_, 0, window, atoms_.property[kPartPid], XCB_ATOM_CARDINAL, 0, 1));
  ++roundTrips_;
  std::vector<xcb_window_t> others;
  for (std::size_t i = 0; i < fresh.size(); ++i) {
    const auto items = Items(TakeProperty(connection_, pids[i]).get());
    Entry& entry = entries_[fresh[i]];
    entry.own = !items.empty() && items[0] == static_cast<std::uint32_t>(pid_);
    entry.introduced = entry.own;
    if (!entry.own) others.push_back(fresh[i]);
  }
  if (others.empty()) return;

  // Listened to before it is read: a change after the answers brings an event.
  std::vector<xcb_query_tree_cookie_t> trees;
  for (const xcb_window_t window : others) {
    listenTo(window, kClientEvents);
    questions_.emplace_back(window, WindowQuestions{});
    questions_.back().second.send(connection_, window, root_, kAllParts, atoms_);
    trees.push_back(xcb_query_tree(connection_, window));
  }
  ++roundTrips_;
  refreshStale();
  std::vector<xcb_window_t> framed;
  for (std::size_t i = 0; i < others.size(); ++i) {
    Entry& entry = entries_[others[i]];
    entry.stale = 0;
    entry.introduced = true;
    entry.ancestors.clear();
    const auto tree = Take(connection_, &xcb_query_tree_reply, trees[i]);
    if (tree && tree->parent != root_ && tree->parent != XCB_NONE) {
      listenTo(tree->parent, kAncestorEvents);
      entry.ancestors.push_back(tree->parent);
      entry.stale |= kPlace;
      framed.push_back(others[i]);
    }
  }
  followAncestors(std::move(framed));
}

// Listens to the further windows each client sits in, level by level up to
// the root. A frame could move before it is listened to, so the client's
// place is read once more at the next update.
void X11WindowCache::followAncestors(std::vector<xcb_window_t> windows) {
  std::vector<xcb_window_t> next;
  for (int level = 1; level < kMaxAncestors && !windows.empty(); ++level) {
    std::vector<xcb_query_tree_cookie_t> trees;
    for (const xcb_window_t window : windows)
      trees.push_back(xcb_query_tree(connection_, entries_[window].ancestors.back()));
    ++roundTrips_;
    next.clear();
    for (std::size_t i = 0; i < windows.size(); ++i) {
      const auto tree = Take(connection_, &xcb_query_tree_reply, trees[i]);
      if (!tree || tree->parent == root_ || tree->parent == XCB_NONE) continue;
      Entry& entry = entries_[windows[i]];
      listenTo(tree->parent, kAncestorEvents);
      entry.ancestors.push_back(tree->parent);
      entry.stale |= kPlace;
      next.push_back(windows[i]);
    }
    windows.swap(next);
  }
}

}  // namespace mascot
