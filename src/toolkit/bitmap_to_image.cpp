#include "toolkit/bitmap_to_image.h"

namespace mascot {

QImage BitmapToImage(const Bitmap& bitmap) {
  QImage image(bitmap.width(), bitmap.height(), QImage::Format_RGB32);
  if (image.isNull()) return image;
  for (int y = 0; y < bitmap.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < bitmap.width(); ++x) {
      const std::uint32_t bgr = bitmap.pixelColour(x, y);  // 0x00BBGGRR
      line[x] = qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
    }
  }
  return image;
}

}  // namespace mascot
