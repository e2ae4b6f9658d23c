#pragma once
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "model/mascot_document.h"
#include "storage/large_bytes.h"

// The image table of a published mascot: a count, one offset per picture and
// the picture records (size, depth, colour table, shape rectangles, rows top
// row first with a 4-byte stride).
namespace mascot {

inline constexpr std::uint32_t kImageRecordHeaderSize = 24;

struct ImageRecordHeader {
  std::uint32_t width = 0;
  std::uint32_t stride = 0;  // bytes per row, a multiple of 4
  std::uint32_t height = 0;
  std::uint32_t bitsPerPixel = 0;
  std::uint32_t colourCount = 0;
  std::uint32_t rectCount = 0;
};
static_assert(sizeof(ImageRecordHeader) == kImageRecordHeaderSize);

// One record per cache entry, in order. Row padding is written as zero and
// 16- and 32-bit pixels in the plain 5-5-5 and 8-8-8 layouts, so the bytes
// depend only on the pictures. None (with the last system error set) when
// the table would not fit the container's 32-bit sizes.
std::optional<LargeBytes> BuildImageTable(const std::vector<FrameImage>& images);

// Appends one cache entry per usable picture record, its region from the
// stored rectangles (clipped to the picture) or else from the pixels. A
// record with an impossible size or depth is skipped, as one that cannot
// become a bitmap; offsets or counts that reach outside the table, or
// pictures beyond the pixel budget of one file, fail the whole table.
// False, with the last system error set, also when no picture
// at all was built.
bool ReadImageTable(std::span<const std::uint8_t> table, std::vector<FrameImage>& images);

}  // namespace mascot
