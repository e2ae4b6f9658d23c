#pragma once
#include "imaging/region.h"
#include "imaging/shared_handle.h"

namespace mascot {

// The window a mascot's frames are shown in, as the document sees it. The
// desktop layer implements it; tests fake it.
class MascotView {
 public:
  virtual ~MascotView() = default;

  // Gives the window this shape and redraws it; the window keeps the region.
  // False when the window system refused the shape.
  virtual bool setShape(SharedHandle<Region> shape) = 0;

  // Invalidates the window without erasing and paints it at once.
  virtual void repaint() = 0;
};

}  // namespace mascot
