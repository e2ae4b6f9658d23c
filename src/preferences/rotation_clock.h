#pragma once
#include <cstdint>

namespace mascot {

// The time as the rotation sees it. The desktop uses the system clock;
// tests set the day themselves.
class RotationClock {
 public:
  virtual ~RotationClock() = default;

  // Milliseconds since 1970-01-01 00:00 UTC.
  virtual std::int64_t nowMs() const = 0;
  // Day of the week of the current UTC date, 0 = Sunday. The day changes at
  // midnight UTC, not local midnight, so every user's mascot changes at the
  // same moment.
  virtual int dayOfWeek() const;
};

// The system's real-time clock.
const RotationClock& SystemRotationClock();

// Day of the week (0 = Sunday) of the UTC date at a time in milliseconds
// since 1970-01-01, which was a Thursday.
int UtcDayOfWeek(std::int64_t ms);

}  // namespace mascot
