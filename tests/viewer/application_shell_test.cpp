#include "host/application_shell.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QElapsedTimer>
#include <QTest>
#include <QTimer>

#include <filesystem>

#include "scratch_folder.h"
#include "storage/mascot_library.h"

namespace mascot {
namespace {

namespace fs = std::filesystem;

struct PaintCounter : QObject {
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint) ++count;
    return false;
  }
  int count = 0;
};

// The program folder is a scratch folder, with the given sample mascots
// installed.
class Shell : public ::testing::Test {
 protected:
  void install(std::initializer_list<const char*> names) {
    folder = testing::ScratchFolder();
    fs::create_directories(folder / "Mascots");
    for (const char* name : names) fs::copy_file(fs::path(MASCOTS_FOLDER) / name, folder / "Mascots" / name);
    SetProgramFolderForTesting(folder.string());
  }
  void TearDown() override { SetProgramFolderForTesting({}); }

  fs::path folder;
  ApplicationShell shell{ApplicationShell::Services{}};
};

TEST_F(Shell, StartsViewingARotatedMascotAndStepsItsFrames) {
  install({"Pip.mascot"});
  shell.takeInitialTarget();
  ASSERT_TRUE(shell.init({}));
  ASSERT_TRUE(shell.currentDocument());
  EXPECT_EQ(fs::path(shell.currentDocument()->filePath).filename(), "Pip.mascot");
  EXPECT_FALSE(shell.flags().workMode);
  ASSERT_NE(shell.currentPopup(), nullptr);
  EXPECT_EQ(MenuCommandOf(shell.currentPopup()->actions().front()), kCommandOpenPublished);
  EXPECT_TRUE(shell.isReady());
  EXPECT_EQ(shell.window()->document(), shell.currentDocument());
  EXPECT_EQ(shell.window()->size(), MascotWindow::SizeFor(shell.currentDocument().get()));

  // Frame 0 stays for the first second, then timer 2 steps; meanwhile the
  // 100 ms polls find nothing new and paint nothing.
  QElapsedTimer clock;
  clock.start();
  shell.window()->show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(shell.window()));
  PaintCounter paints;
  shell.window()->installEventFilter(&paints);
  QTest::qWait(std::max<int>(0, 850 - static_cast<int>(clock.elapsed())));
  EXPECT_EQ(paints.count, 0);
  const MascotDocument& document = *shell.currentDocument();
  while (document.currentFrame == 0 && clock.elapsed() < 3000) QTest::qWait(5);
  EXPECT_GE(clock.elapsed(), 900);
  EXPECT_GE(paints.count, 1);
  EXPECT_LE(clock.elapsed(), 1300);
}

TEST_F(Shell, ExitSavesModifiedPreferences) {
  install({"Pip.mascot", "Bolt.mascot"});
  ASSERT_TRUE(shell.init({}));
  shell.preferences().SelectedList = {"Bolt.mascot"};
  shell.preferences().setModified(true);
  EXPECT_TRUE(IsMenuCommandEnabled(kCommandForceNext, shell.menuFeatures(), shell.menuState()));
  shell.runCommand(kCommandForceNext);
  EXPECT_EQ(fs::path(shell.currentDocument()->filePath).filename(), "Bolt.mascot");

  // Exit ends the event loop it runs in (and leaves none asked to quit).
  QTimer::singleShot(0, [this] { shell.runCommand(kCommandExit); });
  EXPECT_EQ(QCoreApplication::exec(), 0);
  EXPECT_EQ(shell.window(), nullptr);
  shell.cleanup();
  EXPECT_TRUE(fs::exists(folder / "mascot.ini"));
  MascotPreferences saved;
  ASSERT_TRUE(saved.load((folder / "mascot.ini").string()));
  EXPECT_EQ(saved.SelectedList, std::vector<std::string>{"Bolt.mascot"});
}

}  // namespace
}  // namespace mascot
