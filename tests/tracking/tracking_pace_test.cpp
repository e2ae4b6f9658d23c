#include "tracking/tracking_pace.h"

#include <gtest/gtest.h>

namespace mascot {
namespace {

// Ticks until the pace lets the timer rest; the number of ticks it took.
int TicksUntilRest(TrackingPace& pace, bool polled = true, int limit = 100) {
  for (int i = 1; i <= limit; ++i)
    if (!pace.tick(polled)) return i;
  return -1;
}

TEST(TrackingPace, ADesktopThatCannotTellIsWatchedAllTheTime) {
  TrackingPace pace(false);
  EXPECT_EQ(TicksUntilRest(pace), -1);
  EXPECT_FALSE(pace.desktopChanged());
}

TEST(TrackingPace, RestsAfterQuietPollsAndWakesOnTheNextChange) {
  TrackingPace pace(true);
  EXPECT_FALSE(pace.desktopChanged()) << "the timer runs: nothing to start";
  EXPECT_EQ(TicksUntilRest(pace), TrackingPace::kQuietPollsBeforeRest + 1)
      << "the change's poll is not quiet";

  EXPECT_TRUE(pace.desktopChanged());
  EXPECT_FALSE(pace.desktopChanged()) << "started once";
  // Changes between polls keep it running; so do polls left out while busy.
  for (int i = 0; i < 30; ++i) {
    if (i % 3 == 0) pace.desktopChanged();
    EXPECT_TRUE(pace.tick(true));
  }
  EXPECT_EQ(TicksUntilRest(pace, false), -1);
  pace.desktopChanged();
  EXPECT_EQ(TicksUntilRest(pace, false), -1) << "a change seen while busy waits for a real poll";
  EXPECT_EQ(TicksUntilRest(pace), TrackingPace::kQuietPollsBeforeRest + 1);
}

}  // namespace
}  // namespace mascot
