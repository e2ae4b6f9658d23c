#pragma once
#include <cstdint>

namespace mascot {

// The old platform's timers could not fire more often than this; a frame
// delay of 0 (the default of work files and imports) would otherwise run
// the animation on every pass of the event loop.
inline constexpr int kShortestFrameTimerMs = 15;

// The timer interval for a frame delay: at least the shortest interval, and
// delays beyond a timer's range wait as long as a timer can.
int FrameTimerInterval(std::uint32_t delayMs);

}  // namespace mascot
