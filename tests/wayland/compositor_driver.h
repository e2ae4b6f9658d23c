#pragma once
// What the Wayland tests ask of the compositor they run in: acting on
// windows by title as a user would, and pictures of the whole screen.
#include <QImage>

#include <optional>
#include <string>

#include "imaging/region.h"

namespace mascot::testing {

class CompositorDriver {
 public:
  virtual ~CompositorDriver() = default;
  // Each is false when no window has the title (retried for a while).
  virtual bool move(const std::string& title, int x, int y) = 0;
  virtual bool minimise(const std::string& title, bool on) = 0;
  virtual bool activate(const std::string& title) = 0;
  // The frame with its decorations; nullopt when there is none.
  virtual std::optional<Rect> frameOf(const std::string& title) = 0;
  virtual QImage screenshot() = 0;
};

}  // namespace mascot::testing
