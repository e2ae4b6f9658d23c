#include "dialogs/program_pictures.h"

#include <QFile>
#include <QImage>
#include <QStringList>

#include <algorithm>

#include "imaging/program_bitmaps.h"

namespace mascot {
namespace {

constexpr int kBitmapIds[] = {kBitmapSplash, kBitmapAbout, kBitmapCreditsLeft, kBitmapCreditsRight,
                              kBitmapEditorLogo};

// Besides its main picture an icon may come in these sizes, so that the tray
// and large screens get a crisp one.
constexpr int kExtraIconSizes[] = {16, 24, 48, 64};

QString IconPath(int id) { return QStringLiteral(":/program/icon_%1.png").arg(id); }
QString IconPath(int id, int size) { return QStringLiteral(":/program/icon_%1_%2.png").arg(id).arg(size); }
QString BitmapPath(int id) { return QStringLiteral(":/program/bitmap_%1.bmp").arg(id); }
QString CursorPath(int id) { return QStringLiteral(":/program/cursor_%1.png").arg(id); }

}  // namespace

QIcon ProgramIcon(int id) {
  if (!QFile::exists(IconPath(id))) return {};
  QIcon icon(IconPath(id));
  for (const int size : kExtraIconSizes)
    if (QFile::exists(IconPath(id, size))) icon.addFile(IconPath(id, size), QSize(size, size));
  return icon;
}

QPixmap ProgramBitmap(int id) {
  QPixmap pixmap;
  pixmap.load(BitmapPath(id), "BMP");
  return pixmap;
}

QCursor ProgramCursor(int id) {
  QImage image;
  if (!image.load(CursorPath(id), "PNG")) return QCursor(Qt::PointingHandCursor);
  // The picture carries its hot spot (the finger tip) as "HotSpot" = "x,y".
  const QStringList hotSpot = image.text(QStringLiteral("HotSpot")).split(u',');
  int x = 0;
  int y = 0;
  if (hotSpot.size() == 2) {
    x = std::clamp(hotSpot[0].toInt(), 0, image.width() - 1);
    y = std::clamp(hotSpot[1].toInt(), 0, image.height() - 1);
  }
  return QCursor(QPixmap::fromImage(image), x, y);
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
