#include "viewer/bitmap_image.h"

#include <QRect>

#include <vector>

namespace mascot {

QRegion RegionToQRegion(const Region& region) {
  const std::vector<Rect> rects = region.rects();
  std::vector<QRect> converted;
  converted.reserve(rects.size());
  for (const Rect& r : rects) converted.emplace_back(r.left, r.top, r.right - r.left, r.bottom - r.top);
  QRegion result;
  result.setRects(converted.data(), static_cast<int>(converted.size()));
  return result;
}

const QImage& BitmapImageCache::imageFor(const SharedHandle<Bitmap>& bitmap) {
  if (!bitmap) return none_;
  auto found = entries_.find(bitmap.get());
  // The address of a freed bitmap can come back for a new one.
  if (found != entries_.end() && found->second.bitmap.lock() == bitmap) return found->second.image;
  dropExpired();
  Entry& entry = entries_[bitmap.get()];
  entry.bitmap = bitmap;
  entry.image = BitmapToImage(*bitmap);
  return entry.image;
}

void BitmapImageCache::dropExpired() {
  std::erase_if(entries_, [](const auto& item) { return item.second.bitmap.expired(); });
}

}  // namespace mascot
