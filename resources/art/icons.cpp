// The icons: the emblem's face alone (the viewer), with a pencil (the editor
// in the tray), with a brush (the editor's window), and a sheet being
// written on (the editing menu).
#include <QLinearGradient>
#include <QPainterPath>

#include <algorithm>

#include "emblem.h"
#include "pictures.h"

namespace art {
namespace {

QImage Blank(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  return image;
}

FaceStyle StyleFor(int size) {
  FaceStyle style;
  style.tiny = size <= 16;
  return style;
}

void DrawSheet(QPainter& p, double size) {
  // A page with a folded corner and a few written lines.
  const double fold = size * 0.22;
  QPainterPath page;
  page.moveTo(size * 0.12, size * 0.06);
  page.lineTo(size * 0.78 - fold, size * 0.06);
  page.lineTo(size * 0.78, size * 0.06 + fold);
  page.lineTo(size * 0.78, size * 0.94);
  page.lineTo(size * 0.12, size * 0.94);
  page.closeSubpath();
  p.setRenderHint(QPainter::Antialiasing);
  p.setPen(QPen(QColor(60, 70, 90), std::max(size / 24, 1.0)));
  p.setBrush(QColor(252, 252, 246));
  p.drawPath(page);
  QPainterPath corner;
  corner.moveTo(size * 0.78 - fold, size * 0.06);
  corner.lineTo(size * 0.78 - fold, size * 0.06 + fold);
  corner.lineTo(size * 0.78, size * 0.06 + fold);
  p.setBrush(QColor(214, 220, 228));
  p.drawPath(corner);
  p.setPen(QPen(QColor(150, 170, 190), std::max(size / 20, 1.0)));
  for (double y : {0.62, 0.74, 0.86}) p.drawLine(QPointF(size * 0.22, size * y), QPointF(size * 0.6, size * y));
}

}  // namespace

QImage DrawIcon(int id, int size) {
  QImage image = Blank(size);
  QPainter p(&image);
  const double s = size;
  switch (id) {
    case 107:
    case 108:
      DrawFace(p, QRectF(0, 0, s, s), StyleFor(size));
      break;
    case 147:
    case 148: {
      DrawFace(p, QRectF(0, 0, s * 0.86, s * 0.86), StyleFor(size));
      DrawBrush(p, QPointF(s * 0.5, s * 0.98), s * 0.66);
      break;
    }
    case 150:
      DrawFace(p, QRectF(0, 0, s * 0.86, s * 0.86), StyleFor(size));
      DrawPencil(p, QPointF(s * 0.5, s * 0.98), s * 0.66);
      break;
    case 129: {
      DrawSheet(p, s);
      FaceStyle style = StyleFor(size);
      style.tiny = true;  // small on the sheet whatever the icon's size
      DrawFace(p, QRectF(s * 0.2, s * 0.16, s * 0.4, s * 0.4), style);
      DrawPencil(p, QPointF(s * 0.5, s * 0.96), s * 0.62);
      break;
    }
    default:
      return {};
  }
  return image;
}

}  // namespace art
