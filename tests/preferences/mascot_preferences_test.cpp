#include "preferences/mascot_preferences.h"

#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "model/random_source.h"
#include "preferences/rotation_clock.h"
#include "scratch_folder.h"

namespace mascot {
namespace {

constexpr std::int64_t kDay = 86400000;
constexpr std::int64_t kWednesday = 1704240000000;  // 2024-01-03 00:00 UTC

struct FixedClock : RotationClock {
  std::int64_t ms = kWednesday;
  std::int64_t nowMs() const override { return ms; }
};

std::string ReadFile(const std::filesystem::path& path) {
  return (std::ostringstream() << std::ifstream(path, std::ios::binary).rdbuf()).str();
}

std::string Draws(MascotPreferences& preferences, RandomSource& random, int count) {
  FixedClock clock;
  std::string names;
  for (int i = 0; i < count; ++i) names += preferences.nextMascotName(random, clock);
  return names;
}

TEST(MascotPreferences, LoadKeepsThePositionOnlyWhenChangingOnStartAndAtMostSevenDays) {
  auto path = testing::ScratchFolder() / "mascot.ini";
  for (auto [changeMode, expected] : {std::pair{1, 2}, {2, -1}, {0, -1}}) {
    std::ofstream(path) << "[Settings]\nChangeMode=" << changeMode
                        << "\nCurrentSelection=2\nChangePeriod=15\n[DayOfWeekList]\n";
    for (int i = 1; i <= 10; ++i) std::ofstream(path, std::ios::app) << "Name" << i << "=d" << i << "\n";
    MascotPreferences preferences;
    preferences.modified = 1, preferences.SelectionMode = 2;
    ASSERT_TRUE(preferences.load(path.string()));
    EXPECT_EQ(preferences.CurrentSelection, expected) << changeMode;
    EXPECT_TRUE(preferences.SelectionMode == 2 && preferences.ChangePeriod == 15 && !preferences.modified);
    EXPECT_EQ(preferences.DayOfWeekList, (std::vector<std::string>{"d1", "d10", "d2", "d3", "d4", "d5", "d6"}));
  }
  MascotPreferences missing;
  missing.SelectedList = {"a"};
  EXPECT_TRUE(!missing.load((path.parent_path() / "none.ini").string()) && missing.SelectedList.empty());
}

TEST(MascotPreferences, SaveWritesTheWholeFileAndListsReturnInKeyOrder) {
  auto path = testing::ScratchFolder() / "mascot.ini";
  std::ofstream(path) << "[SelectedList]\nName1=old\nName3=stale\n[Extra]\nKept=yes\n";
  MascotPreferences preferences;
  preferences.SelectionMode = 3, preferences.ChangeMode = 2, preferences.ChangePeriod = 90;
  preferences.CurrentSelection = -1, preferences.HideIfTargetAtTop = 1, preferences.modified = 1;
  preferences.SelectedList = {"a.mascot", "b.mascot"};
  preferences.DayOfWeekList = {"sun.mascot"};
  ASSERT_TRUE(preferences.save(path.string(), "Tovra Mascot"));
  EXPECT_EQ(preferences.modified, 0);
  EXPECT_EQ(ReadFile(path),
            "; Configuration file for Tovra Mascot\r\n"
            "; (comments at the end of a line must be preceded by a tab-semicolon pair)\r\n"
            "[DayOfWeekList]\r\nName1 = sun.mascot\r\n\r\n[Extra]\r\nKept = yes\r\n\r\n"
            "[SelectedList]\r\nName1 = a.mascot\r\nName2 = b.mascot\r\n\r\n"
            "[Settings]\r\nChangeMode = 2\r\nChangePeriod = 90\r\nCurrentSelection = -1\r\n"
            "HideIfTargetAtTop = 1\r\nSelectionMode = 3\r\n\r\n");

  preferences.SelectedList.clear();
  for (char c = 'a'; c <= 'k'; ++c) preferences.SelectedList.push_back(std::string(1, c));
  ASSERT_TRUE(preferences.save(path.string(), "Tovra Mascot"));
  MascotPreferences loaded;
  ASSERT_TRUE(loaded.load(path.string()) && loaded.HideIfTargetAtTop == 1);
  EXPECT_EQ(loaded.SelectedList, (std::vector<std::string>{"a", "j", "k", "b", "c", "d", "e", "f", "g", "h", "i"}));

  EXPECT_FALSE(preferences.save((path.parent_path() / "no" / "x.ini").string(), "Tovra Mascot"));
  EXPECT_EQ(preferences.modified, 1);  // tried again at exit
}

TEST(MascotPreferences, EqualsComparesWhatTheUserChoosesAndChangePeriodFollowsTheModes) {
  MascotPreferences a, b;
  a.SelectedList = {"x", "y"};
  b.copy(a), b.CurrentSelection = 5, b.modified = 1, b.installed = {"z"};
  EXPECT_TRUE(a.equals(b));
  b.suppressSplash = 1;
  EXPECT_FALSE(a.equals(b));
  b.copy(a), b.SelectedList = {"y", "x"};
  EXPECT_FALSE(a.equals(b));

  struct Case { std::uint32_t selection, change, minutes, expected; };
  for (auto c : {Case{3, 1, 15, 1000}, Case{1, 2, 15, 900000}, Case{2, 1, 15, 0}, Case{7, 1, 15, 0},
                 Case{1, 2, 0xFFFFFFFF, 0x7FFFFFFF}}) {
    a.SelectionMode = c.selection, a.ChangeMode = c.change, a.ChangePeriod = c.minutes;
    EXPECT_EQ(a.changePeriod(), c.expected) << c.selection << " " << c.change;
  }
}

TEST(MascotRotation, RandomNeverRepeatsTheMascotOnShow) {
  MascotPreferences preferences;
  preferences.SelectedList = {"a", "b", "c"};
  RandomSource random;
  random.seed(1);
  // States mod 3: 1664526:0 (on show, drawn again), 391234231:1, 3332033868:0,
  // 3491017949:2, 2058501434:2 (again), 974927859:0, 2826217816:1, 2466097529:2.
  EXPECT_EQ(Draws(preferences, random, 6), "bacabc");
  EXPECT_EQ(random.state(), 2466097529u);
  preferences.SelectedList = {"a", "b"};
  EXPECT_EQ(Draws(preferences, random, 6), "ababab");  // from "c" at index 2
  preferences.SelectedList = {"only"};
  EXPECT_EQ(Draws(preferences, random, 2), "onlyonly");
}

TEST(MascotRotation, InOrderContinuesAfterARestartOnlyWhenChangingOnStart) {
  auto path = (testing::ScratchFolder() / "mascot.ini").string();
  RandomSource random;
  MascotPreferences first, restarted;
  first.SelectionMode = 2, first.SelectedList = {"a", "b", "c"};
  EXPECT_EQ(Draws(first, random, 2), "ab");
  ASSERT_TRUE(first.modified && first.save(path, "Tovra Mascot") && restarted.load(path));
  EXPECT_EQ(Draws(restarted, random, 2), "ca");
  first.ChangeMode = 2;
  ASSERT_TRUE(first.save(path, "Tovra Mascot") && restarted.load(path));
  EXPECT_EQ(Draws(restarted, random, 1), "a");
}

TEST(MascotRotation, EachDayOfWeekGoesByTheUtcDay) {
  RandomSource random;
  FixedClock clock;
  MascotPreferences preferences;
  preferences.SelectionMode = 3;
  preferences.DayOfWeekList = {"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
  std::string names;
  for (std::int64_t step : {std::int64_t{0}, kDay - 1, std::int64_t{1}, 3 * kDay}) {  // the day ends at 24:00 UTC
    clock.ms += step;
    names += preferences.nextMascotName(random, clock) + ",";
  }
  EXPECT_EQ(names, "wed,,thu,sun,");
  preferences.SelectionMode = 9, preferences.DayOfWeekList = {"x", "y", "z"};
  clock.ms = kWednesday + 2 * kDay;  // Friday: entry 5 % 3 at every check
  EXPECT_EQ(preferences.nextMascotName(random, clock) + preferences.nextMascotName(random, clock), "zz");
  EXPECT_FALSE(preferences.modified);
  EXPECT_EQ(UtcDayOfWeek(-1), 3);  // the last moment of 1969, a Wednesday
}

TEST(MascotRotation, EmptyListsFallBackToTheFirstInstalledMascot) {
  RandomSource random;
  for (std::uint32_t mode : {1u, 2u, 3u}) {
    MascotPreferences preferences;
    preferences.SelectionMode = mode;
    (mode == 3 ? preferences.SelectedList : preferences.DayOfWeekList) = {"other"};
    EXPECT_EQ(Draws(preferences, random, 1), "") << mode;
    preferences.installed = {"first.mascot", "second.mascot"};
    EXPECT_EQ(Draws(preferences, random, 1), "first.mascot") << mode;
  }
}

}  // namespace
}  // namespace mascot
