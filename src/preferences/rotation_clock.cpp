#include "preferences/rotation_clock.h"

#include <chrono>

namespace mascot {
namespace {

constexpr std::int64_t kMsPerDay = 24 * 60 * 60 * 1000;
constexpr int kThursday = 4;

class SystemClock final : public RotationClock {
 public:
  std::int64_t nowMs() const override {
    using namespace std::chrono;
    return duration_cast<milliseconds>(system_clock::now().time_since_epoch()).count();
  }
};

}  // namespace

int RotationClock::dayOfWeek() const { return UtcDayOfWeek(nowMs()); }

const RotationClock& SystemRotationClock() {
  static const SystemClock clock;
  return clock;
}

int UtcDayOfWeek(std::int64_t ms) {
  // Floor division, so times before 1970 fall on the right day too.
  std::int64_t days = ms / kMsPerDay;
  if (ms % kMsPerDay < 0) --days;
  std::int64_t day = (days + kThursday) % 7;
  return static_cast<int>(day < 0 ? day + 7 : day);
}

}  // namespace mascot
