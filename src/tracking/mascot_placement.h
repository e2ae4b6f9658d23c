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
  // In device pixels, as the desktop's windows are measured.
  virtual int width() const = 0;
  virtual int height() const = 0;
  // Device pixels per pixel of the mascot's pictures: the document's offsets
  // grow with the pictures on a scaled screen.
  virtual double deviceRatio() const { return 1.0; }

  virtual void hide() = 0;

  // Moves and sizes the window (a rectangle in device pixels), keeps it above
  // ordinary windows and shows it without taking the focus.
  virtual void showAt(const Rect& rect) = 0;
};

}  // namespace mascot
