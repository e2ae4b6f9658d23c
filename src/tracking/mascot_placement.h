#pragma once
#include "imaging/region.h"
#include "tracking/desktop_windows.h"

namespace mascot {

// The mascot window as the tracker places it. The desktop layer implements
// it; tests fake it.
class MascotPlacement {
 public:
  virtual ~MascotPlacement() = default;

  virtual WindowId windowId() const = 0;
  virtual int width() const = 0;
  virtual int height() const = 0;

  virtual void hide() = 0;

  // Moves and sizes the window, keeps it above ordinary windows and shows it
  // without taking the focus.
  virtual void showAt(const Rect& rect) = 0;
};

}  // namespace mascot
