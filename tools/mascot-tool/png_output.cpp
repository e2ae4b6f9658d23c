#include "png_output.h"

#include <QImage>
#include <QString>
#include <cerrno>

#include "errors/system_error.h"
#include "storage/paths.h"
#include "storage/replacement_file.h"

namespace mascot::tool {

bool WritePng(const Bitmap& bitmap, std::string_view path, bool transparent, int scale) {
  QImage image(bitmap.width(), bitmap.height(), QImage::Format_ARGB32);
  const std::uint32_t key = bitmap.pixelColour(0, 0);
  for (int y = 0; y < bitmap.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < bitmap.width(); ++x) {
      std::uint32_t colour = bitmap.pixelColour(x, y);  // 0x00BBGGRR
      int alpha = transparent && colour == key ? 0 : 255;
      line[x] = qRgba(colour & 0xFF, (colour >> 8) & 0xFF, (colour >> 16) & 0xFF, alpha);
    }
  }
  if (scale > 1) image = image.scaled(image.width() * scale, image.height() * scale);
  ReplacementFile file(NativePath(path));
  if (!file.isReady()) return false;
  if (!image.save(QString::fromStdString(file.path()), "PNG")) {
    SetLastErrorFromErrno(EIO);
    return false;
  }
  return file.commit();
}

}  // namespace mascot::tool
