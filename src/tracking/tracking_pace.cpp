#include "tracking/tracking_pace.h"

namespace mascot {

bool TrackingPace::desktopChanged() {
  changed_ = true;
  if (!resting_) return false;
  resting_ = false;
  return true;
}

bool TrackingPace::tick(bool polled) {
  if (!notifies_ || !polled) return true;
  if (changed_) {
    changed_ = false;
    quietPolls_ = 0;
    return true;
  }
  if (++quietPolls_ < kQuietPollsBeforeRest) return true;
  quietPolls_ = 0;
  resting_ = true;
  return false;
}

}  // namespace mascot
