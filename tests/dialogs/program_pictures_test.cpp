#include <gtest/gtest.h>

#include <QImage>

#include "dialogs/program_pictures.h"
#include "imaging/image_file_loader.h"
#include "imaging/program_bitmaps.h"

namespace mascot {
namespace {

// The pictures are compiled into a static library's resource: these fail
// when its objects are dropped at link time and the resource never registers.
TEST(ProgramPictures, IconsComeWithTheirSizes) {
  struct Case { int id; int size; };
  for (const Case c : {Case{107, 16}, Case{108, 32}, Case{129, 32}, Case{147, 16}, Case{148, 32}, Case{150, 32}}) {
    SCOPED_TRACE(c.id);
    const QIcon icon = ProgramIcon(c.id);
    ASSERT_FALSE(icon.isNull());
    EXPECT_TRUE(icon.availableSizes().contains(QSize(c.size, c.size)));
  }
  // The tray asks for whatever its host likes; large sizes stay sharp.
  EXPECT_TRUE(ProgramIcon(kIconViewer).availableSizes().contains(QSize(64, 64)));
  EXPECT_TRUE(ProgramIcon(999).isNull());
}

TEST(ProgramPictures, BitmapsLoadThroughTheImageLoader) {
  RegisterProgramPictures();
  for (const int id : {kBitmapSplash, kBitmapAbout, kBitmapCreditsLeft, kBitmapCreditsRight, kBitmapEditorLogo}) {
    SCOPED_TRACE(id);
    const QPixmap pixmap = ProgramBitmap(id);
    ASSERT_FALSE(pixmap.isNull());
    const SharedHandle<Bitmap> bitmap = LoadImageFile(id);
    ASSERT_TRUE(bitmap);
    EXPECT_EQ(bitmap->width(), pixmap.width());
    EXPECT_EQ(bitmap->height(), pixmap.height());
  }
  EXPECT_EQ(ProgramBitmap(kBitmapSplash).size(), QSize(360, 200));
}

TEST(ProgramPictures, CursorHotSpotIsOnTheFingerTip) {
  const QCursor cursor = ProgramCursor(kCursorPointingHand);
  ASSERT_EQ(cursor.shape(), Qt::BitmapCursor);
  const QImage hand = cursor.pixmap().toImage();
  ASSERT_EQ(hand.size(), QSize(32, 32));
  const QPoint spot = cursor.hotSpot();
  // Opaque at the spot, and nothing of the hand above it: the tip.
  EXPECT_GT(qAlpha(hand.pixel(spot)), 128);
  for (int y = 0; y < spot.y(); ++y) EXPECT_LT(qAlpha(hand.pixel(spot.x(), y)), 64) << y;
}

}  // namespace
}  // namespace mascot
