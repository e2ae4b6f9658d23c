// Draws the program's icons, bitmaps and cursor into a folder, for the build
// to compile into the program's resources.
//   program-art <output folder>
//   program-art --desktop-icons <hicolor folder> <application> <mascot file> <work file>
#include <QDir>
#include <QGuiApplication>

#include <cstdio>

#include "desktop_icons.h"
#include "pictures.h"

namespace {

struct IconSet {
  int id;
  int size;                      // icon_<id>.png
  std::initializer_list<int> more;  // icon_<id>_<size>.png
};

// The extra sizes give crisp icons in the tray, on large screens and in
// window lists; each must be listed in ProgramIcon's sizes too.
const IconSet kIcons[] = {
    {107, 16, {}},
    {108, 32, {16, 24, 48, 64}},
    {129, 32, {16, 24, 48, 64}},
    {147, 16, {}},
    {148, 32, {16, 24, 48, 64}},
    {150, 32, {16, 24, 48, 64}},
};
const int kBitmaps[] = {145, 151, 152, 153, 154};

bool Save(const QImage& image, const QDir& folder, const QString& name, const char* format) {
  if (image.isNull() || !image.save(folder.filePath(name), format)) {
    std::fprintf(stderr, "program-art: cannot write %s\n", qPrintable(folder.filePath(name)));
    return false;
  }
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  // Text needs a font engine, and a font engine needs a platform.
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QGuiApplication app(argc, argv);
  if (argc == 6 && qstrcmp(argv[1], "--desktop-icons") == 0) {
    const QDir theme(QString::fromLocal8Bit(argv[2]));
    return art::WriteDesktopIcons(theme, {QString::fromLocal8Bit(argv[3]), QString::fromLocal8Bit(argv[4]),
                                          QString::fromLocal8Bit(argv[5])})
               ? 0
               : 1;
  }
  if (argc != 2) {
    std::fprintf(stderr,
                 "usage: program-art <output folder>\n"
                 "       program-art --desktop-icons <hicolor folder> <application> <mascot file> <work file>\n");
    return 2;
  }
  QDir folder(QString::fromLocal8Bit(argv[1]));
  if (!folder.mkpath(QStringLiteral("."))) return 1;

  bool ok = true;
  for (const IconSet& icon : kIcons) {
    ok &= Save(art::DrawIcon(icon.id, icon.size), folder, QStringLiteral("icon_%1.png").arg(icon.id), "PNG");
    for (int size : icon.more)
      ok &= Save(art::DrawIcon(icon.id, size), folder, QStringLiteral("icon_%1_%2.png").arg(icon.id).arg(size), "PNG");
  }
  for (int id : kBitmaps)
    ok &= Save(art::DrawBitmap(id), folder, QStringLiteral("bitmap_%1.bmp").arg(id), "BMP");

  // The hot spot travels with the picture, so the two cannot drift apart.
  QPoint hotSpot;
  QImage hand = art::DrawPointingHand(hotSpot);
  hand.setText(QStringLiteral("HotSpot"), QStringLiteral("%1,%2").arg(hotSpot.x()).arg(hotSpot.y()));
  ok &= Save(hand, folder, QStringLiteral("cursor_155.png"), "PNG");
  return ok ? 0 : 1;
}
