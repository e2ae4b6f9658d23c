// The program's dialogs on a real desktop, opened directly, where the
// program itself only shows them for a moment (the progress window) or
// behind another dialog (the credits).
#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include "dialogs/about_dialog.h"
#include "dialogs/control_ids.h"
#include "dialogs/program_pictures.h"
#include "dialogs/progress_window.h"
#include "dialogs/splash_window.h"
#include "files/published_mascot.h"
#include "host/x11_test_client.h"

namespace mascot {
namespace {

class DialogScreens : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    RegisterProgramPictures();
    QDir().mkpath(MASCOT_SCREENSHOTS);
  }
  // Lets the window manager frame and place what was shown.
  static void Settle() { QTest::qWait(700); }

  testing::X11TestClient client;
};

TEST_F(DialogScreens, ProgressWindowSitsJustBelowTheSplash) {
  ASSERT_TRUE(ShowSplash(20000));
  Settle();
  OpenProgress(nullptr);
  SetProgressTitle("Loading Bolt.mascot");
  SetProgressDetail("Working...");
  QWidget* progress = CurrentProgressWindow();
  ASSERT_TRUE(progress);
  ASSERT_TRUE(QTest::qWaitForWindowExposed(progress));
  Settle();
  client.saveScreenshot(MASCOT_SCREENSHOTS "/progress-over-splash.png");

  const QRect splash = SplashScreenRect();
  const QRect frame = progress->frameGeometry();
  EXPECT_GT(frame.top(), splash.bottom()) << "the progress window covers the splash";
  EXPECT_LE(frame.top(), splash.bottom() + 4);
  CloseProgress();
  CloseSplash();
}

TEST_F(DialogScreens, AboutBoxOpensTheCredits) {
  const auto bolt = OpenPublishedMascot(MASCOTS_FOLDER "/Bolt.mascot");
  ASSERT_TRUE(bolt);
  bool creditsShown = false;
  QTimer::singleShot(0, [&] {
    QWidget* about = QApplication::activeModalWidget();
    ASSERT_TRUE(about);
    Settle();
    client.saveScreenshot(MASCOT_SCREENSHOTS "/about.png");
    QTimer::singleShot(0, [&] {
      QWidget* credits = QApplication::activeModalWidget();
      ASSERT_TRUE(credits && credits != about);
      Settle();
      client.saveScreenshot(MASCOT_SCREENSHOTS "/credits.png");
      creditsShown = credits->windowTitle() == "Credits";
      qobject_cast<QPushButton*>(FindControl(credits, 1))->click();  // "Done Lookin'"
    });
    qobject_cast<QPushButton*>(FindControl(about, 1019))->click();
    qobject_cast<QPushButton*>(FindControl(about, 1))->click();
  });
  EXPECT_EQ(ShowAbout(bolt.get()), 1);
  EXPECT_TRUE(creditsShown);
}

}  // namespace
}  // namespace mascot

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  return RUN_ALL_TESTS();
}
