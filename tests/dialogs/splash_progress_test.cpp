#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QScreen>
#include <QTest>

#include "dialogs/control_ids.h"
#include "dialogs/program_pictures.h"
#include "dialogs/progress_window.h"
#include "dialogs/splash_window.h"
#include "imaging/program_bitmaps.h"

namespace mascot {
namespace {

class SplashAndProgress : public ::testing::Test {
 protected:
  void SetUp() override { RegisterProgramPictures(); }
  void TearDown() override {
    CloseProgress();
    CloseSplash();
  }

  static QWidget* Splash() {
    for (QWidget* w : QApplication::topLevelWidgets())
      if (w->objectName() == QStringLiteral("splashDialog_144") && w->isVisible()) return w;
    return nullptr;
  }
  static bool WaitUntilSplashGone(int milliseconds) {
    QElapsedTimer clock;
    clock.start();
    while (!SplashScreenRect().isEmpty() && clock.elapsed() < milliseconds) QTest::qWait(10);
    return SplashScreenRect().isEmpty();
  }
  static QString Line(int id) {
    auto* label = qobject_cast<QLabel*>(FindControl(CurrentProgressWindow(), id));
    return label ? label->text() : QStringLiteral("<none>");
  }
};

TEST_F(SplashAndProgress, SplashFramesTheBitmapInTheScreenCentre) {
  ASSERT_TRUE(ShowSplash(0));
  const QRect shown = SplashScreenRect();
  EXPECT_EQ(shown.size(), ProgramBitmap(kBitmapSplash).size() + QSize(2, 2));
  const QPoint centre = QGuiApplication::primaryScreen()->geometry().center();
  EXPECT_LE((shown.center() - centre).manhattanLength(), 1);
  // The default time is seconds, not at once.
  EXPECT_FALSE(WaitUntilSplashGone(100));
}

TEST_F(SplashAndProgress, SplashEndsOnItsTimerOrALeftClick) {
  ASSERT_TRUE(ShowSplash(50));
  EXPECT_TRUE(WaitUntilSplashGone(2000));

  ASSERT_TRUE(ShowSplash(60000));
  ASSERT_NE(Splash(), nullptr);
  QTest::mouseRelease(Splash(), Qt::RightButton, {}, QPoint(5, 5));
  EXPECT_FALSE(SplashScreenRect().isEmpty());
  QTest::mouseRelease(Splash(), Qt::LeftButton, {}, QPoint(5, 5));
  EXPECT_TRUE(SplashScreenRect().isEmpty());
}

TEST_F(SplashAndProgress, SplashWithoutItsBitmapShowsNothing) {
  UnregisterProgramBitmap(kBitmapSplash);
  EXPECT_FALSE(ShowSplash(1000));
  EXPECT_TRUE(SplashScreenRect().isEmpty());
  EXPECT_EQ(Splash(), nullptr);
}

TEST_F(SplashAndProgress, ProgressOpensJustBelowTheSplash) {
  OpenProgress(nullptr);
  const QPoint alone = CurrentProgressWindow()->pos();
  CloseProgress();

  ASSERT_TRUE(ShowSplash(0));
  const QRect splash = SplashScreenRect();
  OpenProgress(nullptr);
  const QPoint under = CurrentProgressWindow()->pos();
  EXPECT_EQ(under.y(), splash.y() + splash.height() + 1);
  EXPECT_EQ(under.x(), alone.x());
  EXPECT_EQ(CurrentProgressWindow()->windowTitle(), QStringLiteral("Tovra Mascot Progress"));
}

TEST_F(SplashAndProgress, OneProgressWindowWhoseTitleStartsOverOnOpen) {
  OpenProgress(nullptr);
  QWidget* first = CurrentProgressWindow();
  EXPECT_EQ(Line(kProgressTitleId), QStringLiteral("Working..."));
  SetProgressTitle("Loading Pip.wmascot");
  SetProgressDetail("Processing image \xC3\xA9t\xC3\xA9.bmp");
  EXPECT_EQ(Line(kProgressTitleId), QStringLiteral("Loading Pip.wmascot"));
  EXPECT_EQ(Line(kProgressDetailId), QString::fromUtf8("Processing image \xC3\xA9t\xC3\xA9.bmp"));

  OpenProgress(nullptr);
  EXPECT_EQ(CurrentProgressWindow(), first);
  EXPECT_EQ(Line(kProgressTitleId), QStringLiteral("Working..."));
  int windows = 0;
  for (QWidget* w : QApplication::topLevelWidgets()) windows += w->objectName() == QStringLiteral("progressDialog_142");
  EXPECT_EQ(windows, 1);

  CloseProgress();
  EXPECT_EQ(CurrentProgressWindow(), nullptr);
  // Without a window the texts go nowhere and open nothing.
  SetProgressTitle("Loading");
  SetProgressDetail("Working...");
  EXPECT_EQ(CurrentProgressWindow(), nullptr);
}

}  // namespace
}  // namespace mascot
