#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "editing/preferences_form.h"
#include "editing/preferences_lists.h"

namespace mascot {
namespace {

using Names = std::vector<std::string>;

MascotPreferences Installed(Names installed, std::uint32_t mode = kSelectRandom) {
  MascotPreferences preferences;
  preferences.installed = std::move(installed);
  preferences.SelectionMode = mode;
  return preferences;
}

TEST(PreferencesLists, StartFromTheListOfTheModeAndKeepTheLeftSorted) {
  MascotPreferences preferences = Installed({"pip.mascot", "Zed.mascot", "bolt.mascot", "Moss.mascot"});
  preferences.SelectedList = {"Zed.mascot", "gone.mascot"};
  preferences.DayOfWeekList = {"Moss.mascot", "pip.mascot"};
  struct Case { std::uint32_t mode; std::uint32_t shown; Names left, right; };
  const Case cases[] = {
      {kSelectRandom, kSelectRandom, {"bolt.mascot", "Moss.mascot", "pip.mascot"}, {"Zed.mascot", "gone.mascot"}},
      {kSelectEachDayOfWeek, kSelectEachDayOfWeek, {"bolt.mascot", "Zed.mascot"}, {"Moss.mascot", "pip.mascot"}},
      {7, kSelectRandom, {"bolt.mascot", "Moss.mascot", "pip.mascot"}, {"Zed.mascot", "gone.mascot"}},
  };
  for (const Case& c : cases) {
    preferences.SelectionMode = c.mode;
    PreferencesLists lists(preferences);
    EXPECT_EQ(lists.shownMode(), c.shown) << "mode " << c.mode;
    EXPECT_EQ(lists.left(), c.left) << "mode " << c.mode;
    EXPECT_EQ(lists.right(), c.right) << "mode " << c.mode;
  }

  // Only an exact name leaves the left list: another case is another file.
  preferences.SelectionMode = kSelectRandom;
  preferences.SelectedList = {"PIP.mascot"};
  EXPECT_EQ(PreferencesLists(preferences).left(), (Names{"bolt.mascot", "Moss.mascot", "pip.mascot", "Zed.mascot"}));

  // Names go back in sorted; "<< All" shows exactly the installed ones again.
  preferences.SelectedList = {"Zed.mascot", "gone.mascot", "bolt.mascot"};
  PreferencesLists lists(preferences);
  lists.moveLeft({2, 1});
  EXPECT_EQ(lists.left(), (Names{"bolt.mascot", "gone.mascot", "Moss.mascot", "pip.mascot"}));
  EXPECT_EQ(lists.right(), Names{"Zed.mascot"});
  lists.moveAllLeft();
  EXPECT_TRUE(lists.right().empty());
  EXPECT_EQ(lists.left(), (Names{"bolt.mascot", "Moss.mascot", "pip.mascot", "Zed.mascot"}));
}

TEST(PreferencesLists, EachModeKeepsItsOwnListAcrossSwitches) {
  MascotPreferences preferences = Installed({"a", "b", "c", "d"});
  preferences.SelectedList = {"a"};
  preferences.DayOfWeekList = {"d"};
  PreferencesLists lists(preferences);

  ASSERT_TRUE(lists.moveRight({1}));  // Random: a, c
  lists.showMode(kSelectEachDayOfWeek);
  EXPECT_EQ(lists.right(), Names{"d"});
  EXPECT_EQ(lists.left(), (Names{"a", "b", "c"}));
  ASSERT_TRUE(lists.moveRight({0}));  // days: d, a
  // A click on the mode on show keeps what was moved meanwhile.
  lists.showMode(kSelectEachDayOfWeek);
  EXPECT_EQ(lists.right(), (Names{"d", "a"}));

  // In Order shares Random's list.
  lists.showMode(kSelectInOrder);
  EXPECT_EQ(lists.right(), (Names{"a", "c"}));
  EXPECT_EQ(lists.left(), (Names{"b", "d"}));
  lists.moveLeft({0});
  lists.store();
  EXPECT_EQ(preferences.SelectedList, Names{"c"});
  EXPECT_EQ(preferences.DayOfWeekList, (Names{"d", "a"}));
}

TEST(PreferencesLists, TheDaysTakeNoMoreThanSevenAndARefusalMovesNothing) {
  MascotPreferences preferences = Installed({"a", "b", "c", "d", "e", "f", "g", "h"}, kSelectEachDayOfWeek);
  preferences.DayOfWeekList = {"a", "b", "c", "d", "e"};
  PreferencesLists lists(preferences);
  ASSERT_EQ(lists.left(), (Names{"f", "g", "h"}));

  EXPECT_FALSE(lists.moveRight({0, 1, 2}));
  EXPECT_FALSE(lists.moveAllRight()) << "3 + 5 names";
  EXPECT_EQ(lists.left().size(), 3u);
  EXPECT_EQ(lists.right().size(), 5u);

  // Selected in any order, appended in the left list's order.
  EXPECT_TRUE(lists.moveRight({2, 0, 2}));
  EXPECT_EQ(lists.right(), (Names{"a", "b", "c", "d", "e", "f", "h"}));
  EXPECT_EQ(lists.left(), Names{"g"});
  EXPECT_FALSE(lists.moveRight({0}));

  // The other modes have no limit.
  lists.showMode(kSelectRandom);
  EXPECT_TRUE(lists.moveAllRight());
  EXPECT_EQ(lists.right().size(), 8u);

  // "All >>" with 2 names left and 5 right moves both.
  preferences.installed.pop_back();
  preferences.DayOfWeekList = {"a", "b", "c", "d", "e"};
  PreferencesLists seven(preferences);
  ASSERT_EQ(seven.left(), (Names{"f", "g"}));
  EXPECT_TRUE(seven.moveAllRight());
  EXPECT_EQ(seven.right(), (Names{"a", "b", "c", "d", "e", "f", "g"}));
  EXPECT_TRUE(seven.left().empty());
}

TEST(PreferencesForm, MinutesAreReadIntoTheRangeAsTheFieldLosesTheFocus) {
  struct Case { const char* text; std::uint32_t minutes; };
  const Case cases[] = {
      {"0", 1}, {"1", 1}, {"2", 2}, {"60", 60}, {"10000", 10000}, {"20000", 10000},
      {"99999999999999999999", 10000}, {"", 1}, {"x", 1}, {"-5", 1}, {" 42x", 42},
      {"000000000000000000000000000000005", 1},  // only 30 characters are read
  };
  for (const Case& c : cases) EXPECT_EQ(ReadChangeMinutes(c.text), c.minutes) << '"' << c.text << '"';
}

}  // namespace
}  // namespace mascot
