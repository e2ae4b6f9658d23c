#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

#include "commands/fake_shell.h"
#include "commands/file_commands.h"
#include "files/mascot_samples.h"
#include "files/work_file.h"
#include "preferences/mascot_preferences.h"
#include "scratch_folder.h"
#include "storage/mascot_library.h"

namespace mascot {
namespace {

using testing::FakeShell;

namespace fs = std::filesystem;
using testing::ScratchFolder;

class FileCommandsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = ScratchFolder();
    SetProgramFolderForTesting(folder_.string());
  }
  void TearDown() override { SetProgramFolderForTesting(""); }

  std::string publish(const std::string& fileName, const std::string& name) {
    MascotDocument d = testing::SampleMascot();
    d.name = name;
    const std::string path = (fs::path(MascotsFolderPath()) / fileName).string();
    EXPECT_TRUE(PublishMascot(path, d));
    return path;
  }
  // A work file of blank frames, or of one frame whose picture is missing.
  std::string workFile(const std::string& fileName, bool missingPicture = false) {
    MascotDocument d;
    d.name = "Work";
    d.frames.resize(2);
    if (missingPicture) d.frames[0].fileName = (folder_ / "gone.bmp").string();
    const std::string path = (folder_ / fileName).string();
    EXPECT_TRUE(SaveWorkFile(path, d));
    return path;
  }
  std::shared_ptr<MascotDocument> modifiedDocument(const std::string& name) {
    auto d = std::make_shared<MascotDocument>();
    d->name = name;
    d->modified = 1;
    shell_.document = d;
    return d;
  }

  fs::path folder_;
  FakeShell shell_;
  FileCommands commands_{shell_, shell_, shell_};
};

TEST_F(FileCommandsTest, ConfirmSaveChangesFollowsTheAnswer) {
  auto d = modifiedDocument("Fox");
  shell_.answer = CommandDialogs::kAnswerNo;
  EXPECT_TRUE(commands_.confirmSaveChanges());
  EXPECT_FALSE(d->isModified());
  ASSERT_EQ(shell_.messages.size(), 1u);
  EXPECT_EQ(shell_.messages[0].text, "Save changes to Fox?");
  EXPECT_EQ(shell_.messages[0].caption, "Tovra Mascot");
  EXPECT_EQ(shell_.messages[0].flags, 36u);

  // Yes without a file: a cancelled dialog keeps the changes and stops the caller.
  d = modifiedDocument("A.B:C");
  shell_.answer = CommandDialogs::kAnswerYes;
  EXPECT_FALSE(commands_.confirmSaveChanges());
  EXPECT_TRUE(d->isModified());
  EXPECT_EQ(shell_.pathRequests.back().defaultName, "ABC");

  shell_.chosenPath = (folder_ / "fox.txt").string();
  EXPECT_TRUE(commands_.confirmSaveChanges());
  EXPECT_FALSE(d->isModified());
  EXPECT_EQ(d->filePath, (folder_ / "fox.wmascot").string());
  EXPECT_TRUE(fs::exists(d->filePath));
}

TEST_F(FileCommandsTest, OpeningAWorkFileInstallsItInEditingMode) {
  const std::string path = workFile("w.wmascot");
  ASSERT_TRUE(commands_.openWorkFile(path));
  EXPECT_TRUE(shell_.shellFlags.workMode);
  EXPECT_EQ(shell_.document->filePath, path);
  const std::vector<std::string> expected = {"Working...", "popup 129", "hide", "set", "shape", "show", "tip Work"};
  EXPECT_EQ(shell_.log, expected);

  // A file that cannot be read leaves the document installed.
  const auto previous = shell_.document;
  EXPECT_FALSE(commands_.openWorkFile((folder_ / "missing.wmascot").string()));
  EXPECT_EQ(shell_.document, previous);
  EXPECT_EQ(shell_.log.back(), "close progress");
  ASSERT_EQ(shell_.messages.size(), 1u);
  EXPECT_EQ(shell_.messages[0].caption, "Error");
  EXPECT_NE(shell_.messages[0].text.find("Opening"), std::string::npos);
}

TEST_F(FileCommandsTest, FailedPicturesAreShownAndCancelDropsTheDocument) {
  const std::string path = workFile("w.wmascot", true);
  shell_.loadErrorsAnswer = CommandDialogs::kAnswerCancel;
  EXPECT_FALSE(commands_.openWorkFile(path));
  EXPECT_EQ(shell_.document, nullptr);
  ASSERT_EQ(shell_.messages.size(), 1u);
  EXPECT_EQ(shell_.messages[0].text.rfind(kImageLoadProblemText, 0), 0u);

  shell_.loadErrorsAnswer = CommandDialogs::kAnswerOk;
  EXPECT_TRUE(commands_.openWorkFile(path));
  EXPECT_NE(shell_.document, nullptr);
}

TEST_F(FileCommandsTest, OpenPublishedIgnoresTheFileOnShowAndReportsBrokenOnes) {
  const std::string path = publish("fox.mascot", "Fox");
  ASSERT_TRUE(commands_.openPublished(path));
  EXPECT_EQ(shell_.document->name, "Fox");

  shell_.log.clear();
  std::string upper = path;
  upper.replace(upper.size() - 6, 6, "MASCOT");
  EXPECT_FALSE(commands_.openPublished(upper));
  EXPECT_TRUE(shell_.log.empty());

  const std::string broken = (folder_ / "broken.mascot").string();
  std::ofstream(broken) << "not a container";
  const auto shown = shell_.document;
  EXPECT_FALSE(commands_.openPublished(broken));
  EXPECT_EQ(shell_.document, shown);
  ASSERT_EQ(shell_.messages.size(), 1u);
  EXPECT_EQ(shell_.messages[0].caption, "Error");
  EXPECT_EQ(shell_.messages[0].flags, 16u);
  EXPECT_NE(shell_.messages[0].text.find("Opening \"" + broken + "\""), std::string::npos);

  // With nothing on show a failure counts as a change.
  shell_.document.reset();
  EXPECT_TRUE(commands_.openPublished(broken));
  EXPECT_EQ(shell_.document, nullptr);
}

TEST_F(FileCommandsTest, ForceNextFollowsTheRotationOutsideEditingMode) {
  publish("a.mascot", "A");
  publish("b.mascot", "B");
  shell_.prefs.SelectionMode = kSelectInOrder;
  shell_.prefs.SelectedList = {"a.mascot", "b.mascot"};

  ASSERT_TRUE(commands_.forceNext());
  EXPECT_EQ(shell_.document->name, "A");
  EXPECT_TRUE(shell_.logged("popup 139"));
  ASSERT_TRUE(commands_.forceNext());
  EXPECT_EQ(shell_.document->name, "B");

  shell_.shellFlags.workMode = true;
  EXPECT_FALSE(commands_.forceNext());
}

TEST_F(FileCommandsTest, OpenFileByKindShowsPublishedAndEditsWorkFiles) {
  const std::string other = (folder_ / "notes.txt").string();
  std::ofstream(other) << "hello, this is just text";
  EXPECT_FALSE(commands_.openFileByKind(other));
  EXPECT_TRUE(shell_.log.empty());

  shell_.shellFlags.workMode = true;
  EXPECT_TRUE(commands_.openFileByKind(publish("fox.mascot", "Fox")));
  EXPECT_FALSE(shell_.shellFlags.workMode);
  EXPECT_TRUE(shell_.logged("timer") && shell_.logged("popup 139") && shell_.logged("close progress"));
  EXPECT_EQ(shell_.suspended, 0);

  // The work file ends in the editor; one that cannot run leaves the file open.
  shell_.log.clear();
  EXPECT_TRUE(commands_.openFileByKind(workFile("w.wmascot")));
  EXPECT_TRUE(shell_.shellFlags.workMode);
  EXPECT_EQ(shell_.document->name, "Work");
  EXPECT_TRUE(shell_.logged("Loading w.wmascot"));
  EXPECT_TRUE(shell_.logged("editor Work"));
  EXPECT_EQ(shell_.log.back(), "forward");
  EXPECT_TRUE(shell_.document->isActive());
  EXPECT_EQ(shell_.suspended, 0);
}

TEST_F(FileCommandsTest, SaveCommandsForceTheWorkFileExtension) {
  auto d = modifiedDocument("A.B:C");
  shell_.chosenPath.clear();
  commands_.saveMascot();
  EXPECT_TRUE(d->isModified());
  EXPECT_EQ(shell_.pathRequests.back().defaultName, "ABC");
  EXPECT_EQ(shell_.pathRequests.back().defaultExtension, "wmascot");

  shell_.chosenPath = (folder_ / "first.txt").string();
  commands_.saveMascot();
  EXPECT_EQ(d->filePath, (folder_ / "first.wmascot").string());
  EXPECT_FALSE(d->isModified());
  EXPECT_TRUE(fs::exists(d->filePath));

  // Save As proposes the current file and starts in the folder last used.
  shell_.chosenPath = (folder_ / "second.data").string();
  commands_.saveMascotAs();
  EXPECT_EQ(shell_.pathRequests.back().defaultName, "first.wmascot");
  EXPECT_EQ(shell_.pathRequests.back().initialFolder, folder_.string() + "/");
  EXPECT_EQ(d->filePath, (folder_ / "second.wmascot").string());
  EXPECT_TRUE(fs::exists(d->filePath));
}

}  // namespace
}  // namespace mascot
