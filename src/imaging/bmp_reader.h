#pragma once
#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

#include "imaging/bitmap.h"

namespace mascot {

// Windows bitmaps, kept at the file's depth with its colour table and, for
// 16 and 32 bits, its channel masks. Headers of 12, 40, 52, 56, 108 and 124
// bytes; BI_RGB, BI_RLE8, BI_RLE4 and BI_BITFIELDS. Null on failure, with
// the last system error set.
std::shared_ptr<Bitmap> ReadBmpFile(std::string_view fileName);
// A whole .bmp file in memory ("BM" file header first).
std::shared_ptr<Bitmap> ReadBmp(std::span<const std::uint8_t> file);
// A bitmap without the file header: the information header, the colour
// table, then the pixels.
std::shared_ptr<Bitmap> ReadPackedDib(std::span<const std::uint8_t> dib);

}  // namespace mascot
