#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <memory>

#include "commands/file_commands.h"
#include "editing/editor_fakes.h"
#include "editing/editor_state.h"
#include "files/published_mascot.h"
#include "files/work_file.h"
#include "imaging/image_writers.h"
#include "errors/error_text.h"
#include "scratch_folder.h"
#include "storage/mascot_library.h"

namespace mascot {
namespace {

namespace fs = std::filesystem;

constexpr int kCancel = 2, kNo = 7;

// The flows that write and read files, in a scratch folder.
class EditorFilesTest : public testing::EditorHarness {
 protected:
  void SetUp() override {
    folder = testing::ScratchFolder();
    SetProgramFolderForTesting(folder.string());
    source.name = "Fox";
    source.frames.resize(2);
    source.frames[0].fileName = (folder / "a.bmp").string();
    const testing::Bytes bmp =
        testing::MakeBmp({.width = 4, .coloursUsed = 2, .table = {0, 0, 0, 0, 9, 9, 9, 0}, .pixels = {0, 1, 1, 0}});
    std::ofstream(source.frames[0].fileName, std::ios::binary)
        .write(reinterpret_cast<const char*>(bmp.data()), std::ssize(bmp));
    ASSERT_TRUE(source.loadImages());
    source.active = 0;
    open();
  }
  void TearDown() override { SetProgramFolderForTesting(""); }

  std::string path(const std::string& name) const { return (folder / name).string(); }
  // Besides the picture.
  bool nothingWritten() const { return std::distance(fs::directory_iterator(folder), {}) == 1; }
  const testing::Message& last() const { return services.messages.back(); }

  fs::path folder;
};

TEST_F(EditorFilesTest, SaveHandsTheSavedStateToTheSourceSoCancelKeepsIt) {
  editor->save();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(last().text, "Mascot saved.");
  EXPECT_EQ(last().caption, "Save Results");
  EXPECT_EQ(last().flags, 0x40u);
  EXPECT_TRUE(services.pathRequests.empty() && nothingWritten()) << "nothing changed, nothing written";

  view.text[EditorField::kName] = "Wolf:2";
  services.chosenPath = path("wolf");
  editor->save();
  EXPECT_EQ(services.pathRequests.at(0).defaultName, "Wolf2");
  EXPECT_EQ(last().text, "Mascot saved.");
  const std::string saved = path("wolf.wmascot");
  EXPECT_EQ(LoadWorkFile(saved)->name, "Wolf:2");

  editor->tearDown();  // Cancel
  EXPECT_EQ(source.name, "Wolf:2");
  EXPECT_EQ(source.filePath, saved);
  EXPECT_FALSE(source.isModified());
  EXPECT_FALSE(source.isActive()) << "paused until the editor ends";
}

TEST_F(EditorFilesTest, AFailedWriteIsReportedAndNothingIsTaken) {
  view.text[EditorField::kName] = "Wolf";
  editor->working().filePath = path("no/such/folder/w.wmascot");
  editor->save();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(last().caption, "Error");
  EXPECT_EQ(last().flags, 0x10u);
  EXPECT_NE(last().text.find("Saving \"" + editor->working().filePath + "\""), std::string::npos);
  EXPECT_TRUE(editor->working().isModified());
  EXPECT_EQ(source.name, "Fox");

  services.chosenPath = path("other.txt");
  editor->saveAs();
  EXPECT_EQ(services.pathRequests.back().defaultName, "w.wmascot") << "proposes the current file";
  EXPECT_EQ(source.filePath, path("other.wmascot"));
  EXPECT_TRUE(fs::exists(source.filePath));
}

TEST_F(EditorFilesTest, LoadAsksToSaveThenReplacesTheWorkingCopyAndStartsAgain) {
  MascotDocument other;
  other.name = "Loaded";
  other.frames.resize(3);
  other.frames[1].fileName = path("gone.bmp");
  ASSERT_TRUE(SaveWorkFile(path("other.wmascot"), other));

  list.selected = 0;
  editor->addFrame();
  view.text[EditorField::kName] = "Wolf";
  services.answers = {kNo};
  services.chosenPath = path("other.wmascot");
  preview.log.clear();
  editor->load();

  ASSERT_EQ(services.messages.size(), 2u);
  EXPECT_EQ(services.messages[0].text, "Save changes to Wolf?");
  EXPECT_EQ(services.messages[0].caption, "Tovra Mascot");
  EXPECT_EQ(services.messages[0].flags, 0x24u);
  EXPECT_EQ(last().text.rfind(kImageLoadProblemText, 0), 0u);
  EXPECT_NE(last().text.find("gone.bmp"), std::string::npos);
  EXPECT_EQ(last().caption, "Problem Loading images");
  EXPECT_EQ(last().flags, 0x10u);
  EXPECT_EQ(std::distance(fs::directory_iterator(folder), {}), 2) << "No wrote nothing";

  EXPECT_EQ(preview.log, (std::vector<std::string>{"destroy", "create", "refresh"}));
  EXPECT_EQ(view.text[EditorField::kName], "Loaded");
  EXPECT_EQ(list.count(), 3);
  EXPECT_TRUE(editor->working().isActive() && !editor->working().isModified());
  EXPECT_EQ(source.name, "Loaded");
  EXPECT_FALSE(source.isActive());
  EXPECT_EQ(view.undoLabel, "Undo Frame");
  EXPECT_EQ(services.waitDepth, 0);
}

TEST_F(EditorFilesTest, PublishWarnsSavesWritesAndResetsTheUndo) {
  list.selected = 0;
  editor->addFrame();
  services.answers = {kCancel};
  editor->publish();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(last().text, kNoCreatorInfoText);
  EXPECT_EQ(last().caption, "Warning");
  EXPECT_EQ(last().flags, 0x31u);
  EXPECT_TRUE(services.pathRequests.empty() && nothingWritten());
  EXPECT_EQ(view.undoLabel, "Undo Add") << "Cancel leaves the history";

  // OK twice: the copy is saved first, then published, under one choice.
  services.messages.clear();
  services.chosenPath = path("fox");
  editor->publish();
  ASSERT_EQ(services.messages.size(), 3u);
  EXPECT_EQ(services.messages[1].text, kNoMascotInfoText);
  EXPECT_EQ(last().text, "Mascot has been published!");
  EXPECT_EQ(last().caption, "");
  EXPECT_EQ(last().flags, 0x10040u);
  EXPECT_TRUE(fs::exists(path("fox.wmascot")));
  const auto published = OpenPublishedMascot(path("fox.mascot"));
  ASSERT_NE(published, nullptr) << GetLastErrorText();
  EXPECT_EQ(published->frameCount(), 3);
  EXPECT_EQ(view.undoLabel, "Undo Frame");

  services.chosenPath = path("no/such/folder/fox");
  editor->publish();
  EXPECT_EQ(last().text, "Mascot failed to publish!");
  EXPECT_EQ(last().caption, "Error");
  EXPECT_EQ(last().flags, 0x10010u);
}

}  // namespace
}  // namespace mascot
