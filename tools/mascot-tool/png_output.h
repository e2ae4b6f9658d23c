#pragma once
#include <string_view>

#include "imaging/bitmap.h"

namespace mascot::tool {

// Writes the picture's colours as a PNG file (replacing the file only when
// whole). With transparent, pixels of the top-left pixel's colour get alpha 0,
// as the mascot window leaves them out. scale > 1 enlarges each pixel to a
// square, for looking at pixel art. False with the last system error set.
bool WritePng(const Bitmap& bitmap, std::string_view path, bool transparent, int scale = 1);

}  // namespace mascot::tool
