#include "viewer/mascot_window.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QMoveEvent>
#include <QTest>

#include "viewer/bitmap_image.h"

namespace mascot {
namespace {

class FakeHandler final : public MascotWindowHandler {
 public:
  void mascotPressed() override { ++presses; }
  void bringTargetForward() override { ++raises; }
  std::optional<int> dragTop(int windowHeight) override { return targetTop - windowHeight; }
  void draggingChanged(bool value) override { dragging = value; }
  void windowMoved() override {}
  void contextMenuRequested(QPoint) override {}

  int presses = 0;
  int raises = 0;
  bool dragging = false;
  int targetTop = 300;
};

// A frame picture of one colour whose opaque area is the given rectangle.
FrameImage SolidImage(int side, QRgb colour, Rect opaque) {
  auto bitmap = Bitmap::Create(side, side, 24);
  for (int y = 0; y < side; ++y) {
    for (int x = 0; x < side; ++x) {
      std::uint8_t* p = bitmap->row(y) + 3 * x;
      p[0] = qBlue(colour), p[1] = qGreen(colour), p[2] = qRed(colour);
    }
  }
  FrameImage image;
  image.bitmap = bitmap;
  image.region = std::make_shared<Region>(opaque);
  image.width = image.height = side;
  return image;
}

std::shared_ptr<MascotDocument> TwoFrameDocument() {
  auto document = std::make_shared<MascotDocument>();
  document->images = {SolidImage(40, qRgb(200, 0, 0), {0, 0, 20, 40}),
                      SolidImage(40, qRgb(0, 0, 200), {10, 10, 40, 30})};
  document->frames.resize(2);
  document->frames[0].imageIndex = 0;
  document->frames[1].imageIndex = 1;
  return document;
}

QRegion Q(const Rect& r) { return QRegion(r.left, r.top, r.right - r.left, r.bottom - r.top); }

TEST(MascotWindow, ShapeGrowsToTheUnionAtTheFrameChangeAndShrinksAtThePaint) {
  MascotWindow window;
  auto document = TwoFrameDocument();
  window.setDocument(document);
  window.installDocumentShape();
  EXPECT_EQ(window.size(), QSize(40, 40));
  EXPECT_EQ(window.mask(), Q({0, 0, 20, 40})) << "the first frame gets its own shape, no union";
  window.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));

  document->advance(&window.view());
  EXPECT_EQ(window.mask(), Q({0, 0, 20, 40}) + Q({10, 10, 40, 30}));
  window.repaint();
  EXPECT_EQ(window.mask(), Q({10, 10, 40, 30}));

  const QImage shown = window.grab().toImage();
  EXPECT_EQ(shown.pixel(25, 20), qRgb(0, 0, 200)) << "the picture, pixel for pixel at (0, 0)";
}

TEST(MascotWindow, PaintsBlackWithNothingToPaint) {
  MascotWindow window;
  window.setDocument(std::make_shared<MascotDocument>());  // no frames
  const QImage image = window.grab().toImage();
  ASSERT_EQ(image.size(), QSize(50, 50));
  for (QPoint p : {QPoint(0, 0), QPoint(25, 25), QPoint(49, 49)}) EXPECT_EQ(image.pixel(p), qRgb(0, 0, 0));
}

// A work file whose pictures all failed: its frames have no size, and the
// window must not sit on the target as an empty square.
TEST(MascotWindow, FramesWithoutPicturesShowNothing) {
  MascotWindow window;
  auto document = std::make_shared<MascotDocument>();
  document->frames.resize(2);
  document->frames[0].imageIndex = document->frames[1].imageIndex = -1;
  window.setDocument(document);
  window.installDocumentShape();
  EXPECT_TRUE(window.size().isEmpty()) << window.size().width() << " x " << window.size().height();
  EXPECT_FALSE(window.mask().contains(QPoint(0, 0)));
  EXPECT_EQ(MascotWindow::SizeFor(document.get()), QSize(0, 0));
  EXPECT_EQ(MascotWindow::SizeFor(TwoFrameDocument().get()), QSize(40, 40));
}

class MascotWindowMouse : public ::testing::Test {
 protected:
  void SetUp() override {
    window.setDocument(TwoFrameDocument());
    window.installDocumentShape();
    window.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&window));
    window.move(100, 260);
    QApplication::processEvents();
  }
  QWindow* native() { return window.windowHandle(); }

  FakeHandler handler;
  MascotWindow window{&handler};
};

TEST_F(MascotWindowMouse, DragMovesOnlySideways) {
  QTest::mousePress(native(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(handler.presses, 1);
  EXPECT_EQ(handler.raises, 1);
  EXPECT_TRUE(handler.dragging);
  QTest::mouseMove(native(), QPoint(35, 45));
  EXPECT_EQ(window.pos(), QPoint(130, 300 - 40));
  QTest::mouseRelease(native(), Qt::LeftButton, {}, window.mapFromGlobal(QCursor::pos()));
  EXPECT_FALSE(handler.dragging);
  EXPECT_EQ(handler.raises, 2) << "the end of the drag raises the target again";
  EXPECT_EQ(window.pos().y(), 260);
}

TEST_F(MascotWindowMouse, SecondPressOfADoubleClickDoesNothing) {
  QTest::mouseDClick(native(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_EQ(handler.presses, 1);
  EXPECT_EQ(handler.raises, 2);
}

TEST_F(MascotWindowMouse, LostReleaseStillEndsTheDrag) {
  // Delivered to the widget alone: the application never saw the button go
  // down, as when the release went elsewhere.
  QMouseEvent press(QEvent::MouseButtonPress, QPointF(5, 5), QPointF(105, 265), Qt::LeftButton,
                    Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&window, &press);
  ASSERT_TRUE(handler.dragging);
  ASSERT_FALSE(QGuiApplication::mouseButtons() & Qt::LeftButton);
  QEvent other(QEvent::WindowActivate);
  QApplication::sendEvent(&window, &other);
  EXPECT_FALSE(handler.dragging);
  QApplication::processEvents();
  EXPECT_EQ(handler.raises, 2);
  EXPECT_EQ(window.pos().y(), 300 - 40) << "snapped to the target's top edge";
}

}  // namespace
}  // namespace mascot
