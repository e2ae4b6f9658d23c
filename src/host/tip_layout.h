#pragma once
#include <span>

#include "host/tip_lines.h"
#include "imaging/region.h"

namespace mascot {

struct TipPoint {
  int x = 0;
  int y = 0;
  bool operator==(const TipPoint&) const = default;
};

struct TipSize {
  int width = 0;
  int height = 0;
  bool operator==(const TipSize&) const = default;
};

// A line as the toolkit measured it: its extent in the measuring font
// (italic for an italic line, else regular), and the height of its box in
// the drawing font with the external leading (underlined for a link).
struct TipLineMetrics {
  int width = 0;
  int height = 0;
  int boxHeight = 0;
};

// What the fixed dialog frame adds on each axis, on top of the 1-pixel
// border on both sides.
inline constexpr int kTipDialogFrame = 3;

// Sets each line's rect: its measured width centred in the widest line, its
// box stacked top-down from 0. Gives the content size: the widest line by
// the sum of the measured heights. Metrics missing for a line count as zero.
TipSize LayOutTipLines(std::span<TipLine> lines, std::span<const TipLineMetrics> metrics);

// The tip window's outer size for a content size.
TipSize TipWindowSize(TipSize content);

// Where the tip goes: centred on the pointer, never at a negative
// coordinate, and pushed back inside the work area's right and bottom edges.
TipPoint PlaceTip(TipPoint pointer, TipSize tip, const Rect& workArea);

// The pointer rested: it drifted at most 1 pixel sideways and not at all
// vertically since the rest timer started.
bool IsPointerAtRest(TipPoint restedAt, TipPoint now);

}  // namespace mascot
