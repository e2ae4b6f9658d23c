#include "model/frame_timer.h"

#include <algorithm>
#include <limits>

namespace mascot {

int FrameTimerInterval(std::uint32_t delayMs) {
  constexpr auto kLongest = static_cast<std::uint32_t>(std::numeric_limits<int>::max());
  return static_cast<int>(std::clamp<std::uint32_t>(delayMs, kShortestFrameTimerMs, kLongest));
}

}  // namespace mascot
