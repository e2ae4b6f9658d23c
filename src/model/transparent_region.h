#pragma once
#include <vector>

#include "imaging/bitmap.h"
#include "imaging/region.h"
#include "imaging/shared_handle.h"

namespace mascot {

// The opaque area of a picture: every pixel whose colour differs from the
// top-left pixel's. rects is the working list of rectangles; without
// recompute, rectangles already in it (as a published file stores them) are
// used as they are and the pixels are not looked at. The list is empty
// afterwards. Null when there is no region: no picture, a wholly
// transparent one, or a failed union.
SharedHandle<Region> BuildTransparentRegion(const Bitmap* bitmap, std::vector<Rect>& rects, bool recompute);

// The rectangles of the opaque runs, row by row from the top; a run is merged
// into the last rectangle only, when that one spans the same columns and ends
// on the row above.
void FindOpaqueRects(const Bitmap& bitmap, std::vector<Rect>& rects);

}  // namespace mascot
