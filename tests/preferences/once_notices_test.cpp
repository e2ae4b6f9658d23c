#include "preferences/once_notices.h"

#include <gtest/gtest.h>

#include <fstream>

#include "preferences/mascot_preferences.h"
#include "scratch_folder.h"

namespace mascot {
namespace {

TEST(OnceNotices, ARecordedNoticeStaysGivenAndTheSettingsAroundItStay) {
  const std::string path = (testing::ScratchFolder() / "mascot.ini").string();
  EXPECT_FALSE(NoticeGiven(path, "WaylandSession"));  // no file yet

  MascotPreferences preferences;
  preferences.ChangePeriod = 17;
  preferences.SelectedList = {"A.mascot", "B.mascot"};
  ASSERT_TRUE(preferences.save(path, "Tovra Mascot"));
  EXPECT_FALSE(NoticeGiven(path, "WaylandSession"));

  ASSERT_TRUE(RecordNoticeGiven(path, "WaylandSession", "Tovra Mascot"));
  EXPECT_TRUE(NoticeGiven(path, "waylandsession"));
  EXPECT_FALSE(NoticeGiven(path, "SomethingElse"));

  // Saving the preferences later keeps the record, and the record kept them.
  MascotPreferences read;
  ASSERT_TRUE(read.load(path));
  EXPECT_EQ(read.ChangePeriod, 17u);
  EXPECT_EQ(read.SelectedList, preferences.SelectedList);
  ASSERT_TRUE(read.save(path, "Tovra Mascot"));
  EXPECT_TRUE(NoticeGiven(path, "WaylandSession"));
}

// A file whose last setting was taken out holds only its heading: a notice
// is still recorded in it.
TEST(OnceNotices, AFileWithoutSettingsTakesTheRecord) {
  const auto path = testing::ScratchFolder() / "mascot.ini";
  std::ofstream(path) << "; Configuration file for Tovra Mascot\n[Notices]\n";
  ASSERT_TRUE(RecordNoticeGiven(path.string(), "GnomeShellExtension", "Tovra Mascot"));
  EXPECT_TRUE(NoticeGiven(path.string(), "GnomeShellExtension"));
}

TEST(OnceNotices, ASessionIsWaylandByItsTypeOrElseByAWaylandDisplay) {
  EXPECT_TRUE(IsWaylandSession("wayland", ""));
  EXPECT_TRUE(IsWaylandSession("Wayland", "wayland-0"));
  EXPECT_FALSE(IsWaylandSession("x11", "wayland-1"));  // a nested compositor inside X
  EXPECT_FALSE(IsWaylandSession("tty", ""));
  EXPECT_TRUE(IsWaylandSession("", "wayland-0"));
  EXPECT_FALSE(IsWaylandSession("", ""));
}

}  // namespace
}  // namespace mascot
