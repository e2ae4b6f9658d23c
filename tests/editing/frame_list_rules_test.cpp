#include <gtest/gtest.h>

#include <string>

#include "editing/frame_image_check.h"
#include "editing/frame_list_scroll.h"
#include "editing/frame_row_rules.h"
#include "editing/message_flags.h"
#include "imaging/image_writers.h"
#include "scratch_folder.h"

namespace mascot {
namespace {

TEST(FrameRowRules, TheChangedSideOfAPairWins) {
  struct Case { MinMaxPair before; PairSide side; MinMaxPair after; };
  const Case cases[] = {
      {{50, 20}, PairSide::kMinimum, {50, 50}},
      {{50, 20}, PairSide::kMaximum, {20, 20}},
      {{20, 50}, PairSide::kMinimum, {20, 50}},
      {{20, 50}, PairSide::kMaximum, {20, 50}},
  };
  for (const Case& c : cases)
    EXPECT_EQ(ApplyPairRule(c.before, c.side), c.after) << c.before.minimum << ".." << c.before.maximum;
  // At a focus loss the texts are read: an empty edit is 0.
  EXPECT_EQ(ApplyPairRule("", "30", PairSide::kMaximum), (MinMaxPair{0, 30}));
  EXPECT_EQ(ApplyPairRule("7", "", PairSide::kMinimum), (MinMaxPair{7, 7}));
  EXPECT_EQ(ApplyPairRule("7", "", PairSide::kMaximum), (MinMaxPair{0, 0}));
}

TEST(FrameRowRules, NextFrameOutsideOneToTheCountMeansNoJump) {
  struct Case { const char* text; std::int32_t upper; std::int32_t position; };
  const Case cases[] = {
      {"3", 3, 3}, {"4", 3, 0}, {"1", 3, 1}, {"0", 3, 0}, {"-1", 3, 0},
      {"Next", 3, 0}, {"", 3, 0}, {"2x", 3, 2},
      {"0000000000000002", 3, 0},  // only 15 characters are read
  };
  for (const Case& c : cases) EXPECT_EQ(ReadNextFrame(c.text, c.upper), c.position) << c.text;
  EXPECT_EQ(NextFrameText(0), "Next");
  EXPECT_EQ(NextFrameText(12), "12");
}

TEST(FrameRowRules, ShownNamePrefersTheBackslash) {
  EXPECT_EQ(ShownFileName("C:\\art/run\\a.bmp"), "a.bmp");
  EXPECT_EQ(ShownFileName("C:\\art\\run/a.bmp"), "run/a.bmp");
  EXPECT_EQ(ShownFileName("/home/me/a.bmp"), "a.bmp");
  EXPECT_EQ(ShownFileName("a.bmp"), "a.bmp");
}

TEST(FrameRowRules, TypedNamesJoinTheRowsFolder) {
  struct Case { const char* typed; const char* row; FileNameChange change; const char* path; };
  const Case cases[] = {
      {"/art/a.bmp", "/art/a.bmp", FileNameChange::kNone, ""},
      {"", "/art/a.bmp", FileNameChange::kCleared, ""},
      {"b.bmp", "/art/a.bmp", FileNameChange::kNewPath, "/art/b.bmp"},
      {"a.bmp", "/art/a.bmp", FileNameChange::kNewPath, "/art/a.bmp"},  // looked at again
      {"b.bmp", "C:\\art\\a.bmp", FileNameChange::kNewPath, "C:\\art\\b.bmp"},
      {"/new/b.bmp", "/art/a.bmp", FileNameChange::kNewPath, "/new/b.bmp"},
      {"/new/", "/art/a.bmp", FileNameChange::kNewPath, "/new/a.bmp"},
      {"b.bmp", "", FileNameChange::kNewPath, "b.bmp"},
  };
  for (const Case& c : cases) {
    const EditedFileName edited = JoinEditedFileName(c.typed, c.row);
    EXPECT_EQ(edited.change, c.change) << c.typed << " on " << c.row;
    EXPECT_EQ(edited.path, c.path) << c.typed << " on " << c.row;
  }
}

std::string WriteBmp(const std::filesystem::path& folder, const char* name, int width, int height) {
  testing::BmpFields bmp;
  bmp.width = width, bmp.height = height, bmp.bitCount = 8, bmp.coloursUsed = 2;
  bmp.table = testing::Bytes(8, 0);
  bmp.pixels = testing::Bytes(static_cast<std::size_t>((width + 3) / 4 * 4 * height), 1);
  const auto path = folder / name;
  const testing::Bytes bytes = testing::MakeBmp(bmp);
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(bytes.data()), bytes.size());
  return path.string();
}

TEST(FrameImageCheck, RefusesUnreadableAndOversizedPictures) {
  const auto folder = testing::ScratchFolder();
  EXPECT_EQ(RefuseTypedImage(WriteBmp(folder, "limit.bmp", 320, 200)), std::nullopt);

  for (auto [width, height] : {std::pair{321, 200}, std::pair{320, 201}}) {
    const auto refusal = RefuseTypedImage(WriteBmp(folder, "big.bmp", width, height));
    ASSERT_TRUE(refusal) << width << " x " << height;
    EXPECT_EQ(refusal->text,
              "The selected image is too large.  The limit is 320 x 200.  Please select another image.");
    EXPECT_EQ(refusal->caption, "Error");
    EXPECT_EQ(refusal->flags, MessageFlags::kErrorIcon);
  }
  EXPECT_EQ(ImageTooLargeWarning().flags, MessageFlags::kWarningIcon);

  const std::string missing = (folder / "missing.bmp").string();
  const auto refusal = RefuseTypedImage(missing);
  ASSERT_TRUE(refusal);
  EXPECT_EQ(refusal->text.rfind("Error (", 0), 0u) << refusal->text;
  EXPECT_NE(refusal->text.find("Loading image \"" + missing + "\""), std::string::npos) << refusal->text;
  EXPECT_EQ(refusal->caption, "Error");
}

TEST(FrameListScroll, ThePositionNeverShowsPastTheLastRow) {
  EXPECT_EQ(VisibleSlots(100, 23), 4);
  EXPECT_EQ(VisibleSlots(10, 23), 1);

  const ScrollSettings few = ScrollSettingsFor(4, 4);
  EXPECT_FALSE(few.enabled);
  EXPECT_EQ(FirstVisibleRow(3, few), 0);

  const ScrollSettings many = ScrollSettingsFor(2000, 10);
  EXPECT_TRUE(many.enabled);
  EXPECT_EQ(many.maximum, 1999);
  EXPECT_EQ(many.page, 10);
  EXPECT_EQ(many.lastPosition(), 1990);
  const std::pair<int, int> positions[] = {{0, 0}, {500, 500}, {1990, 1990}, {1995, 1990}, {1999, 1990},
                                          {2500, 1990}, {-3, 0}};
  for (auto [position, first] : positions) EXPECT_EQ(FirstVisibleRow(position, many), first) << position;
  EXPECT_EQ(BottomPosition(many), 1990);
}

}  // namespace
}  // namespace mascot
