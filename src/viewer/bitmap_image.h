#pragma once
#include <QImage>
#include <QRegion>

#include <memory>
#include <unordered_map>

#include "toolkit/bitmap_to_image.h"
#include "imaging/bitmap.h"
#include "imaging/region.h"
#include "imaging/shared_handle.h"

namespace mascot {

// The region as a toolkit region, rectangle for rectangle.
QRegion RegionToQRegion(const Region& region);

// Converted pictures, one per bitmap object: a frame is converted the first
// time it is shown, not at every paint. An entry goes when its bitmap does.
class BitmapImageCache {
 public:
  // The image of the bitmap; a null image for a null bitmap.
  const QImage& imageFor(const SharedHandle<Bitmap>& bitmap);
  std::size_t size() const { return entries_.size(); }

 private:
  struct Entry {
    std::weak_ptr<const Bitmap> bitmap;
    QImage image;
  };
  void dropExpired();

  std::unordered_map<const Bitmap*, Entry> entries_;
  QImage none_;
};

}  // namespace mascot
