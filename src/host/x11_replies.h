#pragma once
#include <xcb/xcb.h>

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

// Owning xcb replies, and reading the items of a property.
namespace mascot {

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};
template <typename Reply>
using ReplyPtr = std::unique_ptr<Reply, FreeReply>;

// Takes a reply and drops its error: a window may vanish between two
// questions about it.
template <typename Reply, typename Cookie>
ReplyPtr<Reply> Take(xcb_connection_t* c, Reply* (*read)(xcb_connection_t*, Cookie, xcb_generic_error_t**),
                     Cookie cookie) {
  xcb_generic_error_t* error = nullptr;
  Reply* reply = read(c, cookie, &error);
  std::free(error);
  return ReplyPtr<Reply>(reply);
}

inline ReplyPtr<xcb_get_property_reply_t> TakeProperty(xcb_connection_t* c,
                                                       xcb_get_property_cookie_t cookie) {
  return Take(c, &xcb_get_property_reply, cookie);
}

// The 32-bit items of a property; empty when it is missing or of another
// format.
inline std::span<const std::uint32_t> Items(const xcb_get_property_reply_t* reply) {
  if (reply == nullptr || reply->format != 32) return {};
  const auto* items = static_cast<const std::uint32_t*>(xcb_get_property_value(reply));
  return {items, static_cast<std::size_t>(xcb_get_property_value_length(reply)) / 4};
}

inline bool Contains(std::span<const std::uint32_t> items, xcb_atom_t atom) {
  return std::find(items.begin(), items.end(), atom) != items.end();
}

}  // namespace mascot
