#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "imaging/bitmap.h"

namespace mascot {

// The platform family whose version picks the bitmap header layout.
enum class PlatformFamily { Other, Windows9x, WindowsNt };

struct PlatformVersion {
  PlatformFamily family = PlatformFamily::Other;
  int major = 0;
  int minor = 0;
};

// This program runs on neither family.
constexpr PlatformVersion CurrentPlatform() { return {}; }

// Size of the bitmap information header written for a platform: 40, 108 or
// 124 bytes.
std::uint32_t BitmapInfoHeaderSize(const PlatformVersion& platform);

// A bitmap information header followed by a 256-entry colour table of
// (blue, green, red, 0): the description a new picture is made from.
struct BitmapInfoBlock {
  static constexpr std::uint32_t kColourTableBytes = 256 * 4;
  static constexpr std::uint32_t kCompressionNone = 0;

  explicit BitmapInfoBlock(const PlatformVersion& platform = CurrentPlatform())
      : headerSize(BitmapInfoHeaderSize(platform)) {}

  std::uint32_t blockSize() const { return headerSize + kColourTableBytes; }

  // A top-down picture of pixelWidth x pixelHeight: the width rounded up to a
  // multiple of 4, the height negative, one plane, no compression.
  void describeNewBitmap(std::uint32_t pixelWidth, std::uint32_t pixelHeight, int bits);

  // The picture the block describes, zero-filled, with the colour table for
  // the indexed depths; null when it cannot be made.
  std::shared_ptr<Bitmap> createSection() const;

  std::uint32_t headerSize;
  std::int32_t width = 0;
  std::int32_t height = 0;
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = kCompressionNone;
  std::uint32_t coloursUsed = 0;
  std::array<RgbQuad, 256> colours{};
};

}  // namespace mascot
