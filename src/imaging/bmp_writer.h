#pragma once
#include <cstdint>
#include <string_view>
#include <vector>

#include "imaging/bitmap.h"

namespace mascot {

// A Windows bitmap file of the picture as it stands: its own depth, its whole
// colour table (biClrUsed = the table's size, so the reader gets back exactly
// that many entries), its channel masks when they are not the defaults, and
// every row with its padding, bottom row first.
std::vector<std::uint8_t> EncodeBmp(const Bitmap& bitmap);

// Writes EncodeBmp's bytes, replacing the file only once they are all
// written. False with the last system error set.
bool WriteBmpFile(const Bitmap& bitmap, std::string_view path);

}  // namespace mascot
