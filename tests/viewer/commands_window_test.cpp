#include "host/commands_window.h"

#include <gtest/gtest.h>

#include <QPushButton>

#include <filesystem>

#include "host/application_shell.h"
#include "scratch_folder.h"
#include "storage/mascot_library.h"

namespace mascot {
namespace {

namespace fs = std::filesystem;

// The offscreen platform has no notification area: with an empty Mascots
// folder, the commands window is the only way to the commands.
class CommandsWindowShell : public ::testing::Test {
 protected:
  void SetUp() override {
    folder = testing::ScratchFolder();
    SetProgramFolderForTesting(folder.string());
  }
  void TearDown() override { SetProgramFolderForTesting({}); }

  // Each button's text, "(off)" after a disabled one.
  QStringList buttons() const {
    QStringList texts;
    for (const QPushButton* button : shell.commandsWindow()->findChildren<QPushButton*>())
      texts << button->text() + (button->isEnabled() ? "" : " (off)");
    return texts;
  }

  fs::path folder;
  ApplicationShell shell{ApplicationShell::Services{}};
};

TEST_F(CommandsWindowShell, OffersTheFileMenuWithThePopupsEnabledStates) {
  ASSERT_TRUE(shell.init({}));
  ASSERT_NE(shell.commandsWindow(), nullptr);
  EXPECT_TRUE(shell.commandsWindow()->isVisible());
  EXPECT_EQ(shell.commandsWindow()->windowTitle(), QString("Tovra Mascot"));
  // Without file dialogs (no services here) the commands that ask for a path
  // are off, as in the popup; nothing to save without a document.
  EXPECT_EQ(buttons(), QStringList({"Edit Mascot...", "Create Mascot...", "Open Mascot... (off)", "Save Mascot (off)",
                                    "Save Mascot As... (off)", "Open Published Mascot... (off)",
                                    "Import PylX Mascot... (off)", "About This Mascot", "Help", "Preferences...",
                                    "E&xit"}));

  shell.suspend();  // a dialog runs
  EXPECT_EQ(buttons().filter(" (off)").size(), buttons().size()) << buttons().join(", ").toStdString();
  shell.resume();
}

}  // namespace
}  // namespace mascot
