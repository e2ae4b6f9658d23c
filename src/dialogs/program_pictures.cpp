#include "dialogs/program_pictures.h"

#include <QFile>

#include "imaging/program_bitmaps.h"

namespace mascot {
namespace {

constexpr int kBitmapIds[] = {kBitmapSplash, kBitmapAbout, kBitmapCreditsLeft, kBitmapCreditsRight,
                              kBitmapEditorLogo};

QString IconPath(int id) { return QStringLiteral(":/program/icon_%1.png").arg(id); }
QString BitmapPath(int id) { return QStringLiteral(":/program/bitmap_%1.bmp").arg(id); }
QString CursorPath(int id) { return QStringLiteral(":/program/cursor_%1.png").arg(id); }

}  // namespace

QIcon ProgramIcon(int id) {
  if (!QFile::exists(IconPath(id))) return {};
  return QIcon(IconPath(id));
}

QPixmap ProgramBitmap(int id) {
  QPixmap pixmap;
  pixmap.load(BitmapPath(id), "BMP");
  return pixmap;
}

QCursor ProgramCursor(int id) {
  QPixmap pixmap;
  if (!pixmap.load(CursorPath(id), "PNG")) return QCursor(Qt::PointingHandCursor);
  // The hand's finger tip is the hot spot.
  return QCursor(pixmap, pixmap.width() / 3, 0);
}

void RegisterProgramPictures() {
  for (const int id : kBitmapIds) {
    QFile file(BitmapPath(id));
    if (!file.open(QIODevice::ReadOnly)) continue;
    const QByteArray bytes = file.readAll();
    RegisterProgramBitmap(id, reinterpret_cast<const unsigned char*>(bytes.constData()),
                          static_cast<std::size_t>(bytes.size()));
  }
}

}  // namespace mascot
