#include "editing/frame_list_model.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/frame_row_colours.h"
#include "editing/frame_row_rules.h"

namespace mascot {
namespace {

FrameRecord Frame(const std::string& name, std::int32_t jump = -1) {
  FrameRecord frame;
  frame.fileName = name;
  frame.jumpFrame = jump;
  return frame;
}

// "name>jump" per row, so a failure shows the whole list.
std::string Describe(const FrameListModel& model) {
  std::string out;
  for (const FrameRow& row : model.rows()) {
    if (row.index != static_cast<std::int32_t>(&row - model.rows().data())) out += "(index " + std::to_string(row.index) + ")";
    out += (row.path.empty() ? "new" : row.path) + (row.frame.jumpFrame == -1 ? "" : ">" + std::to_string(row.frame.jumpFrame)) + " ";
  }
  return out;
}

FrameListModel Attached(const std::vector<FrameRecord>& frames, std::int32_t selected = -1) {
  FrameListModel model;
  model.attach(frames);
  if (selected >= 0) model.setSelected(selected, true);
  return model;
}

TEST(FrameListModel, InsertAndRemoveKeepJumpsOnTheirFrames) {
  const std::vector<FrameRecord> f0f1f2 = {Frame("F0"), Frame("F1", 2), Frame("F2")};
  const std::vector<FrameRecord> backToF0 = {Frame("F0"), Frame("F1"), Frame("F2", 0), Frame("F3", 1)};
  struct Case {
    const char* what;
    std::vector<FrameRecord> frames;
    std::int32_t selected;
    bool insert;
    std::int32_t result;
    const char* rows;
    std::int32_t selectionAfter;
  };
  const Case cases[] = {
      {"insert before F1", f0f1f2, 1, true, 1, "F0 new F1>3 F2 ", 2},
      {"insert before the jump target", f0f1f2, 2, true, 2, "F0 F1>3 new F2 ", 3},
      {"insert before the first frame", backToF0, 0, true, 0, "new F0 F1 F2>1 F3>2 ", 1},
      {"append leaves jumps", backToF0, -1, true, 4, "F0 F1 F2>0 F3>1 new ", -1},
      {"remove the jumping frame", f0f1f2, 1, false, 1, "F0 F2 ", -1},
      {"remove a jump target", backToF0, 1, false, 1, "F0 F2>0 F3>1 ", -1},
      {"remove the frame before a target", f0f1f2, 0, false, 0, "F1>1 F2 ", -1},
      {"remove with nothing selected", f0f1f2, -1, false, -1, "F0 F1>2 F2 ", -1},
  };
  for (const Case& c : cases) {
    FrameListModel model = Attached(c.frames, c.selected);
    EXPECT_EQ(c.insert ? model.insert() : model.removeSelected(), c.result) << c.what;
    EXPECT_EQ(Describe(model), c.rows) << c.what;
    EXPECT_EQ(model.selection(), c.selectionAfter) << c.what;
    EXPECT_TRUE(model.backupValid()) << c.what;
    if (c.insert) EXPECT_EQ(model.row(c.result)->colour, kButtonFaceColour) << c.what;
  }
}

TEST(FrameListModel, ColoursFollowLoopBlocksAndTheClickRange) {
  FrameListModel model = Attached({Frame("0"), Frame("1", 0), Frame("2"), Frame("3", 2), Frame("4")});
  model.setClickRange(2, 4);
  std::vector<RowColour> colours;
  for (const FrameRow& row : model.rows()) colours.push_back(row.colour);
  EXPECT_EQ(colours, (std::vector<RowColour>{Rgb(215, 0, 0), Rgb(215, 0, 0), Rgb(192, 192, 192),
                                             Rgb(192, 192, 192), Rgb(128, 128, 128)}));

  // No click range (-1, as unsigned the largest number) takes in no row;
  // the sixteenth block starts the palette again.
  std::vector<FrameRecord> jumps(16, Frame("x", 0));
  model.attach(jumps);
  model.setClickRange(-1, -1);
  EXPECT_EQ(model.row(0)->colour, Rgb(215, 0, 0));
  EXPECT_EQ(model.row(1)->colour, Rgb(0, 111, 0));
  EXPECT_EQ(model.row(14)->colour, Rgb(159, 111, 107));
  EXPECT_EQ(model.row(15)->colour, Rgb(215, 0, 0));
  model.setClickRange(0, -1);  // up to the largest unsigned number: every row
  EXPECT_EQ(model.row(2)->colour, Rgb(64, 64, 64));
  EXPECT_EQ(model.row(3)->colour, Rgb(192, 192, 192));
}

TEST(FrameListModel, WriteBackKeepsImagesAndFlagsAndMarksACountChange) {
  std::vector<FrameRecord> document = {Frame("a.bmp", 1), Frame("b.bmp")};
  document[0].imageIndex = 4, document[1].imageIndex = 7, document[1].modified = 1;
  FrameListModel model = Attached(document);

  // A row without a jump shows "Next" and empty loop counts: they read as
  // no jump and 0.
  RowFieldValues read{10, 20, ReadNextFrame(kNoJumpText, 2), ReadRowNumber(""), ReadRowNumber("")};
  model.flushRow(0, read);
  EXPECT_EQ(model.row(0)->frame.modified, 1) << "the jump was taken away";
  model.setPath(1, "/pictures/c.bmp");

  std::vector<FrameRecord> out = document;
  model.writeBack(out);
  ASSERT_EQ(out.size(), 2u);
  EXPECT_EQ(out[0].jumpFrame, -1);
  EXPECT_EQ(out[0].minLoopCount, 0u);
  EXPECT_EQ(out[0].maxFrameDelay, 20u);
  EXPECT_EQ(out[0].imageIndex, 4);
  EXPECT_EQ(out[0].modified, 0) << "the flag is the document's, not the row's";
  EXPECT_EQ(out[1].fileName, "/pictures/c.bmp");
  EXPECT_EQ(out[1].imageIndex, 7);
  EXPECT_EQ(out[1].modified, 1);

  // One frame more: rows keep the flags of their places, the first tells
  // that the count changed.
  model.insert();
  out = document;
  model.writeBack(out);
  ASSERT_EQ(out.size(), 3u);
  EXPECT_EQ(out[0].modified, 1);
  EXPECT_EQ(out[2].imageIndex, -1);
  std::vector<FrameRecord> empty;
  FrameListModel().writeBack(empty);
  EXPECT_TRUE(empty.empty());
}

TEST(FrameListModel, SelectionIsOneRowOrNone) {
  FrameListModel model = Attached({Frame("a"), Frame("b"), Frame("c")});
  EXPECT_EQ(model.setSelected(1, true), 1);
  EXPECT_EQ(model.setSelected(2, true), 2);
  EXPECT_FALSE(model.row(1)->selected);
  EXPECT_EQ(model.setSelected(2, false), -1);
  EXPECT_EQ(model.selection(), -1);
  EXPECT_EQ(model.setSelected(9, true), -1);
}

TEST(FrameListModel, UndoSwapsWithTheBackupUntilItIsReset) {
  FrameListModel model = Attached({Frame("a"), Frame("b")}, 1);
  EXPECT_FALSE(model.backupValid()) << "attaching drops the backup";
  model.insert();
  model.swapWithBackup();
  EXPECT_EQ(Describe(model), "a b ");
  EXPECT_EQ(model.selection(), -1);
  model.swapWithBackup();
  EXPECT_EQ(Describe(model), "a new b ");

  // An edit after the step survives the redo that follows its undo.
  model.removeSelected();  // nothing selected: the backup is taken all the same
  model.setSelected(0, true);
  model.removeSelected();
  model.setPath(0, "edited");
  model.swapWithBackup();
  EXPECT_EQ(Describe(model), "a new b ");
  model.swapWithBackup();
  EXPECT_EQ(Describe(model), "edited b ");

  model.invalidateBackup();
  model.setSelected(0, true);
  model.swapWithBackup();
  EXPECT_EQ(Describe(model), "edited b ");
  EXPECT_EQ(model.selection(), -1);
}

}  // namespace
}  // namespace mascot
