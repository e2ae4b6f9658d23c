#include "model/mascot_document.h"

#include <gtest/gtest.h>

namespace mascot {
namespace {

TEST(MascotDocument, NewDocumentHasTheDefaults) {
  MascotDocument document;
  EXPECT_EQ(document.name, "Untitled");
  EXPECT_EQ(document.balloonFontSize, 12);
  EXPECT_EQ(document.balloonBackColor, 0xFFFFFFu);
  EXPECT_EQ(document.formatVersion, 258u);
  EXPECT_TRUE(document.clickStartIndex == -1 && document.clickEndIndex == -1 && document.balloonTextColor == 0);
  EXPECT_TRUE(document.isActive() && !document.isModified() && !document.hasFrames());
}

TEST(MascotDocument, CreatorFieldsSplitAtTheFirstLineBreak) {
  MascotDocument document;
  document.mascotInfo = "a dream", document.readme = "read me";
  document.creatorInfo = "Ann  \r\nann@example.org\r\nmore";
  EXPECT_EQ(document.getCreatorFields(), (CreatorFields{"Ann", "ann@example.org\r\nmore", "a dream", "read me"}));
  document.creatorInfo = "Ann  \nann@example.org";
  EXPECT_EQ(document.getCreatorFields(), (CreatorFields{"Ann", "ann@example.org", "a dream", "read me"}));
  document.creatorInfo = "Ann  ";
  EXPECT_EQ(document.getCreatorFields(), (CreatorFields{"Ann  ", "", "a dream", "read me"}));

  document.setCreatorFields({"Bob", "", "a dream", "read me"});
  EXPECT_EQ(document.creatorInfo, "Bob");
  EXPECT_TRUE(document.isModified());
  document.frames.resize(1);
  document.frames[0].modified = 1;
  document.setModified(false);
  EXPECT_EQ(document.frames[0].modified, 0);
  document.setCreatorFields({"Bob", "", "a dream", "read me"});
  EXPECT_FALSE(document.isModified());
  document.setCreatorFields({"Bob", "bob@example.org", "a dream", "read me"});
  EXPECT_EQ(document.creatorInfo, "Bob\r\nbob@example.org");
  EXPECT_TRUE(document.isModified());
}

}  // namespace
}  // namespace mascot
