#pragma once
#include "imaging/region.h"

namespace mascot {

// The toolkit lays windows out in logical pixels; the X server, and with it
// every other window on the desktop, counts device pixels. On a 200 % screen
// one logical pixel is a 2x2 block of device pixels.
struct DeviceScale {
  double ratio = 1.0;  // device pixels per logical pixel; anything not above 0 counts as 1
  // The top-left corner of the screen the window is on: the toolkit scales
  // positions around it, so it is the same point in both measures.
  int originX = 0;
  int originY = 0;
};

// A length or an offset in device pixels, rounded to the nearest pixel with
// halves away from zero, as the toolkit rounds window sizes.
int DeviceLength(int logical, double ratio);

// The device rectangle the toolkit gives a window with this logical
// geometry: the corner and the size are each rounded on their own, so at a
// fractional ratio the right and bottom edges can lie a pixel beside the
// scaled edges.
Rect DeviceRect(const Rect& logical, const DeviceScale& scale);

// The logical geometry for a window wanted at this device rectangle: the
// nearest size, the nearest left edge, and the top that brings the bottom
// edge nearest (the mascot stands on its bottom edge). At a fractional
// ratio some device positions lie between two logical ones; a bottom edge
// that cannot be met exactly goes a pixel lower, into the window below
// rather than above it with a gap.
Rect LogicalPlacement(const Rect& device, const DeviceScale& scale);

// The logical top that puts the bottom edge of a window of this logical
// height nearest to a device row, by the rule above.
int LogicalTopStandingOn(int deviceBottom, int logicalHeight, const DeviceScale& scale);

}  // namespace mascot
