#pragma once

namespace mascot {

// When the tracking timer must run. On a desktop that tells of its changes
// it runs while changes come in and for a second of polls after the last
// one, then rests until the next change: an idle desktop costs no wake-ups.
// On any other desktop it runs all the time.
class TrackingPace {
 public:
  static constexpr int kQuietPollsBeforeRest = 10;

  explicit TrackingPace(bool desktopNotifies) : notifies_(desktopNotifies) {}

  // The desktop changed. True when the timer rests and must start again.
  bool desktopChanged();
  // One tick of the timer; polled is false when the look at the desktop was
  // left out (the program was busy), which never counts as quiet. False
  // when the timer may rest.
  bool tick(bool polled);

 private:
  bool notifies_;
  bool changed_ = false;
  bool resting_ = false;
  int quietPolls_ = 0;
};

}  // namespace mascot
