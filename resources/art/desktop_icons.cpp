// The icons a desktop shows for the installed program: the application in
// menus, and its two kinds of file in file managers, at the hicolor theme's
// usual sizes.
#include "desktop_icons.h"

#include <QPainterPath>

#include <algorithm>
#include <cstdio>

#include "emblem.h"
#include "pictures.h"

namespace art {
namespace {

constexpr int kSizes[] = {16, 22, 24, 32, 48, 64, 128, 256};

// A published mascot: a finished page that is all face, the character
// ready to be shown.
QImage DrawMascotFile(int size) {
  QImage image(size, size, QImage::Format_ARGB32_Premultiplied);
  image.fill(Qt::transparent);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  const double s = size;
  const double fold = s * 0.24;
  const QRectF page(s * 0.1, s * 0.04, s * 0.8, s * 0.92);
  QPainterPath outline;
  outline.moveTo(page.topLeft());
  outline.lineTo(page.right() - fold, page.top());
  outline.lineTo(page.right(), page.top() + fold);
  outline.lineTo(page.bottomRight());
  outline.lineTo(page.bottomLeft());
  outline.closeSubpath();
  p.setPen(QPen(QColor(60, 70, 90), std::max(s / 24, 1.0)));
  p.setBrush(QColor(228, 244, 242));
  p.drawPath(outline);
  QPainterPath corner;
  corner.moveTo(page.right() - fold, page.top());
  corner.lineTo(page.right() - fold, page.top() + fold);
  corner.lineTo(page.right(), page.top() + fold);
  p.setBrush(QColor(190, 214, 212));
  p.drawPath(corner);

  FaceStyle style;
  style.tiny = size <= 24;
  const double face = s * 0.64;
  DrawFace(p, QRectF((s - face) / 2, s * 0.28, face, face), style);
  return image;
}

bool Write(const QImage& image, const QDir& theme, int size, const char* context, const QString& name) {
  const QString folder = QStringLiteral("%1x%1/%2").arg(size).arg(QLatin1String(context));
  const QString path = theme.filePath(folder + QLatin1Char('/') + name + QStringLiteral(".png"));
  if (image.isNull() || !theme.mkpath(folder) || !image.save(path, "PNG")) {
    std::fprintf(stderr, "program-art: cannot write %s\n", qPrintable(path));
    return false;
  }
  return true;
}

}  // namespace

bool WriteDesktopIcons(const QDir& theme, const DesktopIconNames& names) {
  bool ok = true;
  for (int size : kSizes) {
    ok &= Write(DrawIcon(108, size), theme, size, "apps", names.application);
    ok &= Write(DrawMascotFile(size), theme, size, "mimetypes", names.mascotFile);
    // A work file is the editing menu's sheet being written on.
    ok &= Write(DrawIcon(129, size), theme, size, "mimetypes", names.workFile);
  }
  return ok;
}

}  // namespace art
