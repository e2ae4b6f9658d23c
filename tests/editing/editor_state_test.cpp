#include "editing/editor_state.h"

#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>
#include <tuple>

#include "editing/editor_fakes.h"
#include "imaging/image_writers.h"
#include "scratch_folder.h"

namespace mascot {
namespace {

namespace fs = std::filesystem;
using testing::Bytes;

void WriteFile(const fs::path& path, const Bytes& bytes) {
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), std::ssize(bytes));
}

// 50 bytes of mono 16-bit 22050 Hz sound; RIFF size - 4 is 38.
Bytes Wave() {
  Bytes b{'R', 'I', 'F', 'F'};
  testing::PutLe32(b, {42});
  testing::PutText(b, "WAVEfmt ");
  testing::PutLe32(b, {18, 0x10001, 22050, 44100, 0x100002});
  testing::PutLe16(b, {0});
  testing::PutText(b, "data");
  testing::PutLe32(b, {4, 0});
  return b;
}

class EditorStateTest : public testing::EditorHarness {
 protected:
  // Three blank frames with the click range 2..3 (1-based).
  void SetUp() override {
    source.name = "Fox";
    source.frames.resize(3);
    source.clickSequenceDefined = 1;
    source.clickStartIndex = 1;
    source.clickEndIndex = 2;
    source.xOffset = 30;
    source.yOffset = -4;
  }

};

TEST_F(EditorStateTest, InitialisationFillsTheDialogFromTheWorkingCopy) {
  source.offsetIsPercent = 1;
  source.active = 0;
  open();
  EXPECT_EQ(services.log, (std::vector<std::string>{"detail Processing...", "close progress"}));
  EXPECT_TRUE(working().isActive()) << "the preview animates the copy";
  EXPECT_EQ(preview.document, &working());
  EXPECT_EQ(view.text[EditorField::kXOffset], "30");
  EXPECT_EQ(view.ranges[EditorSpin::kXOffset], std::make_pair(0, 100)) << "percent mode";
  EXPECT_EQ(view.ranges[EditorSpin::kClickLast], std::make_pair(0, 3));
  EXPECT_EQ(view.clickRange(), "2..3");
  EXPECT_EQ(list.clickRange, std::make_pair(1, 2));
  EXPECT_TRUE(view.enabled[EditorControl::kClickOptions] && view.enabled[EditorControl::kSave]);
  EXPECT_EQ(view.undoLabel, "Undo Frame");
  EXPECT_FALSE(view.enabled[EditorControl::kUndo]);
  EXPECT_EQ(list.resets, 1);
  EXPECT_TRUE(view.enabled[EditorControl::kStop] && !view.enabled[EditorControl::kStep]);

  // No frames, and a preview left stopped by an earlier run.
  source.frames.clear();
  open();
  preview.stopped = true;
  editor->initialise();
  EXPECT_FALSE(view.enabled[EditorControl::kPublish] || view.enabled[EditorControl::kSave]);
  EXPECT_EQ(view.clickRange(), "..") << "indices past the frames become none";
  EXPECT_TRUE(!view.enabled[EditorControl::kStop] && view.enabled[EditorControl::kStep]);
}

TEST_F(EditorStateTest, CommitComparesTheNameWithTheCopyAndTheRestWithTheSource) {
  // "+": the change makes the working copy modified.
  const std::pair<const char*, std::function<void()>> cases[] = {
      {"nothing", [] {}},
      {"+name", [this] { view.text[EditorField::kName] = "Wolf"; }},
      {"+name differing from the copy only", [this] { working().name = "Old"; }},
      {"+click animation off", [this] { view.checks[EditorCheck::kClickActive] = false; }},
      {"+click last frame", [this] { view.setSpinPosition(EditorSpin::kClickLast, 2); }},
      {"+x offset", [this] { view.text[EditorField::kXOffset] = "31"; }},
      {"same y offset with text after it", [this] { view.text[EditorField::kYOffset] = "-4px"; }},
      {"offset differing from the source only", [this] { working().xOffset = 99; }},
      {"+right edge", [this] { view.checks[EditorCheck::kRelativeToRightEdge] = true; }},
      {"+a frame's own flag", [this] { working().frames[1].modified = 1; }},
      {"+a row added", [this] { list.rows.emplace_back(); }},
  };
  for (const auto& [what, change] : cases) {
    open();
    change();
    editor->commit();
    EXPECT_EQ(working().isModified(), what[0] == '+') << what;
  }
  view.text[EditorField::kName] = std::string(300, 'n');
  editor->confirm();
  EXPECT_EQ(source.name, std::string(255, 'n'));
  EXPECT_EQ(source.frames.size(), 4u);
}

TEST_F(EditorStateTest, PercentConversionKeepsTheMascotInPlace) {
  open();
  const auto toggle = [&](bool percent, const std::string& x) {
    view.checks[EditorCheck::kXIsPercent] = percent;
    view.text[EditorField::kXOffset] = x;
    editor->percentToggled();
    return view.text[EditorField::kXOffset];
  };
  view.width = 260;  // W = 260 - 60 (the preview) = 200
  EXPECT_EQ(toggle(true, "50"), "25");
  EXPECT_EQ(working().xOffset, 25);
  EXPECT_EQ(toggle(false, "25"), "50");
  EXPECT_EQ(view.ranges[EditorSpin::kXOffset], std::make_pair(-32767, 32767));
  EXPECT_EQ(toggle(true, "51"), "26") << "rounds up to percent";
  EXPECT_EQ(toggle(false, "33"), "66");
  view.width = 40;  // narrower than the preview: W = 100
  EXPECT_EQ(toggle(true, "51"), "51");

  // Leading decimals of at most 23 characters.
  const std::pair<std::string, int> texts[] = {{"12abc", 12}, {"abc", 0}, {std::string(22, '0') + "12", 1}};
  for (const auto& [text, value] : texts) {
    view.text[EditorField::kYOffset] = text;
    editor->offsetEdited();
    EXPECT_EQ(working().yOffset, value) << text;
  }
}

TEST_F(EditorStateTest, AddingAndRemovingShiftTheClickRange) {
  const std::tuple<const char*, std::int32_t, bool, const char*> cases[] = {
      {"add with frame 1 selected", 0, true, "3..4"},
      {"add at the end", -1, true, "2..3"},
      {"remove the selected frame 1", 0, false, "1..2"},
      {"remove frame 2, inside the range", 1, false, "2..2"},
      {"remove frame 3, the range's end", 2, false, "2.."},
  };
  for (const auto& [what, selected, add, range] : cases) {
    open();
    list.selected = selected;
    add ? editor->addFrame() : editor->removeFrame();
    EXPECT_EQ(view.clickRange(), range) << what;
    EXPECT_EQ(working().frameCount(), add ? 4 : 2) << what;
    EXPECT_EQ(working().clickEndIndex + 1, view.positions[EditorSpin::kClickLast]) << what;
    EXPECT_EQ(services.waitDepth, 0) << what;
  }
}

TEST_F(EditorStateTest, ClickFrameEditsAndSpinsKeepTheRangeOrdered) {
  open();
  const auto type = [&](EditorField field, const std::string& text) {
    view.text[field] = text;
    field == EditorField::kClickFirst ? editor->clickFirstEditDone() : editor->clickLastEditDone();
    return view.clickRange();
  };
  for (const char* text : {"0", "-5", "abc", "4"}) EXPECT_EQ(type(EditorField::kClickFirst, text), "1..3") << text;
  EXPECT_EQ(list.clickRange, std::make_pair(0, 2));
  EXPECT_EQ(working().clickStartIndex, 1) << "taken at the next commit or spin change";
  EXPECT_EQ(type(EditorField::kClickLast, "2"), "1..2");
  EXPECT_EQ(type(EditorField::kClickFirst, "3"), "3..3") << "the last frame is raised";

  view.setSpinPosition(EditorSpin::kClickLast, 1);
  editor->clickLastSpinMoved();
  EXPECT_EQ(view.clickRange(), "1..1") << "the first frame is lowered";
  EXPECT_EQ(working().clickStartIndex, 0);
  view.setSpinPosition(EditorSpin::kClickFirst, 0);
  editor->clickFirstSpinMoved();
  EXPECT_EQ(view.clickRange(), "..1") << "stepped down to none";
  EXPECT_EQ(list.clickRange, std::make_pair(-1, 0));
}

TEST_F(EditorStateTest, SoundPathIsValidatedDescribedAndTried) {
  const fs::path folder = testing::ScratchFolder();
  const std::string first = (folder / "a.wav").string(), second = (folder / "b.wav").string();
  WriteFile(first, Wave());
  WriteFile(second, Wave());
  source.soundPath = first;
  source.soundData = std::make_shared<const SoundBytes>(Wave());
  open();
  const std::string info = "Fmt: 16-bit, 22050Hz, Mono\nSize: 38 bytes";
  EXPECT_EQ(view.soundInfo, info);
  editor->testSound();
  EXPECT_EQ(services.log.back(), "play memory 50 (waiting)");

  const std::string missing = (folder / "missing.wav").string();
  const std::pair<std::string, std::string> bad[] = {
      {missing, "The file \"" + missing + "\" does not exist!  Please enter a valid path and file!"},
      {folder.string(), "The path \"" + folder.string() + "\" is a folder!  You must specify file!"},
  };
  for (const auto& [path, text] : bad) {
    services.messages.clear();
    view.text[EditorField::kSoundPath] = path;
    editor->soundPathEditDone();
    ASSERT_EQ(services.messages.size(), 1u) << path;
    EXPECT_EQ(services.messages[0].text, text);
    EXPECT_EQ(services.messages[0].caption, "Tovra Mascot Error");
    EXPECT_EQ(services.messages[0].flags, 0x10u);
    EXPECT_EQ(view.focused, EditorField::kSoundPath);
    EXPECT_EQ(view.soundInfo, "");
    EXPECT_EQ(working().soundPath, first) << "the old path stays";
  }

  // Another file lets go of the old bytes, so that Test and Publish take it.
  services.messages.clear();
  view.text[EditorField::kSoundPath] = second;
  editor->soundPathEditDone();
  EXPECT_EQ(working().soundData, nullptr);
  EXPECT_EQ(view.soundInfo, info);
  editor->testSound();
  EXPECT_EQ(services.log.back(), "play " + second + " (waiting)");

  view.text[EditorField::kSoundPath] = "";
  editor->soundPathEditDone();
  EXPECT_EQ(view.soundInfo, "");
  EXPECT_EQ(working().soundPath, "");
  ASSERT_TRUE(services.messages.empty()) << "an empty field is no error";
  editor->testSound();
  ASSERT_EQ(services.messages.size(), 1u);
  EXPECT_EQ(services.messages[0].text, "Please load a sound first!");
  EXPECT_EQ(services.messages[0].caption, "Mascot Sound Error");
  EXPECT_EQ(services.messages[0].flags, 0x10030u);
  EXPECT_EQ(services.waitDepth, 0);
}

TEST_F(EditorStateTest, UndoSwapsFramesAndClickRangeAndRelabelsTheButton) {
  open();
  const auto expect = [&](const char* label, int frames, const char* range) {
    EXPECT_EQ(view.undoLabel, label);
    EXPECT_TRUE(view.enabled[EditorControl::kUndo]) << label;
    EXPECT_EQ(working().frameCount(), frames) << label;
    EXPECT_EQ(list.count(), frames) << label;
    EXPECT_EQ(view.clickRange(), range) << label;
    EXPECT_EQ(working().clickStartIndex + 1, view.positions[EditorSpin::kClickFirst]) << label;
  };
  list.selected = 0;
  editor->addFrame();
  expect("Undo Add", 4, "3..4");
  editor->undoRedo();
  expect("Redo Add", 3, "2..3");
  editor->undoRedo();
  expect("Undo Add", 4, "3..4");

  // A removal replaces the snapshot; an edit after it goes with the undo
  // and comes back with the redo.
  list.selected = 0;
  editor->removeFrame();
  expect("Undo Remove", 3, "2..3");
  list.rows[1].minFrameDelay = 500;
  editor->frameChanged(1, &list.rows[1]);
  editor->undoRedo();
  expect("Redo Remove", 4, "3..4");
  EXPECT_EQ(working().frames[2].minFrameDelay, 0u);
  editor->undoRedo();
  expect("Undo Remove", 3, "2..3");
  EXPECT_EQ(working().frames[1].minFrameDelay, 500u);

  list.failAdd = true;  // the list made no row: nothing recorded
  editor->addFrame();
  EXPECT_EQ(view.undoLabel, "Undo Remove");
}

TEST_F(EditorStateTest, RowChangeReloadsOnlyChangedOrStalePictures) {
  const std::string picture = (testing::ScratchFolder() / "a.bmp").string();
  WriteFile(picture, testing::MakeBmp({.width = 4, .coloursUsed = 2, .table = Bytes(8, 0), .pixels = {0, 1, 1, 0}}));
  source.frames[0].fileName = picture;
  ASSERT_TRUE(source.loadImages());
  open();
  const std::int32_t image = working().frames[0].imageIndex;
  const std::vector<std::string> reload = {"create", "hide", "refresh", "show"};

  FrameRecord row = working().frames[0];
  row.modified = 1;  // only the document's flag counts
  row.maxFrameDelay = 300;
  editor->frameChanged(0, &row);
  EXPECT_EQ(working().frames[0].modified, 1);
  EXPECT_EQ(working().frames[0].loopsLeft, 0);
  EXPECT_EQ(working().frames[0].imageIndex, image);
  EXPECT_EQ(preview.log, std::vector<std::string>{"create"}) << "same picture";
  working().frames[0].modified = 0;
  editor->frameChanged(0, &row);
  EXPECT_EQ(working().frames[0].modified, 0) << "nothing differs";

  fs::last_write_time(picture, fs::last_write_time(picture) + std::chrono::seconds(5));
  editor->frameChanged(0, &row);
  EXPECT_EQ(preview.log, reload) << "a stale picture";
  preview.log = {"create"};
  row.fileName = picture + "x";
  editor->frameChanged(0, &row);
  EXPECT_EQ(preview.log, reload) << "another file";

  preview.log = {"create"};
  list.rows.clear();  // the list reports a row it no longer has: every row is taken
  editor->frameChanged(0, nullptr);
  EXPECT_EQ(preview.log, reload);
  EXPECT_EQ(working().frameCount(), 0);
  EXPECT_FALSE(view.enabled[EditorControl::kSave]);
  EXPECT_EQ(services.waitDepth, 0);
}

}  // namespace
}  // namespace mascot
