#include "model/transparent_region.h"

#include <memory>

namespace mascot {
namespace {

// Only the last rectangle is compared, so a row of several runs breaks the
// merging of the row below; the union makes up for it.
void AddRun(std::vector<Rect>& rects, int left, int right, int y) {
  if (!rects.empty()) {
    Rect& last = rects.back();
    if (last.left == left && last.right == right && last.bottom == y) {
      last.bottom = y + 1;
      return;
    }
  }
  rects.push_back({left, y, right, y + 1});
}

// Stored rectangles come from files: an empty one adds nothing, and a list
// that adds up to nothing gives no region rather than an empty shape.
SharedHandle<Region> UniteRects(const std::vector<Rect>& rects) {
  auto region = std::make_shared<Region>();
  for (const Rect& rect : rects)
    if (!region->unite(rect)) return nullptr;
  if (region->isEmpty()) return nullptr;
  return region;
}

}  // namespace

void FindOpaqueRects(const Bitmap& bitmap, std::vector<Rect>& rects) {
  rects.clear();
  const std::uint32_t transparent = bitmap.pixelColour(0, 0);
  const int width = bitmap.width();
  for (int y = 0; y < bitmap.height(); ++y) {
    int x = 0;
    while (x < width) {
      while (x < width && bitmap.pixelColour(x, y) == transparent) ++x;
      if (x == width) break;
      int start = x;
      while (x < width && bitmap.pixelColour(x, y) != transparent) ++x;
      AddRun(rects, start, x, y);
    }
  }
}

SharedHandle<Region> BuildTransparentRegion(const Bitmap* bitmap, std::vector<Rect>& rects, bool recompute) {
  if (recompute || rects.empty()) {
    if (bitmap == nullptr || bitmap->width() < 1 || bitmap->height() < 1) return nullptr;
    FindOpaqueRects(*bitmap, rects);
  }
  SharedHandle<Region> region = UniteRects(rects);
  rects.clear();
  return region;
}

}  // namespace mascot
