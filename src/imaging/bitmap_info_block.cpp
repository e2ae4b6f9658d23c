#include "imaging/bitmap_info_block.h"

namespace mascot {

std::uint32_t BitmapInfoHeaderSize(const PlatformVersion& platform) {
  switch (platform.family) {
    case PlatformFamily::Windows9x: return (platform.major >= 4 && platform.minor != 0) ? 124 : 108;
    case PlatformFamily::WindowsNt: return platform.major < 5 ? 108 : 124;
    case PlatformFamily::Other: break;
  }
  return 40;
}

void BitmapInfoBlock::describeNewBitmap(std::uint32_t pixelWidth, std::uint32_t pixelHeight, int bits) {
  // Sides the picture cannot have describe nothing, so no section is made.
  constexpr auto kMax = static_cast<std::uint32_t>(Bitmap::kMaxSide);
  if (pixelWidth > kMax || pixelHeight > kMax) pixelWidth = pixelHeight = 0;
  width = static_cast<std::int32_t>((pixelWidth + 3) & ~3u);
  height = -static_cast<std::int32_t>(pixelHeight);
  planes = 1;
  bitCount = static_cast<std::uint16_t>(bits);
  compression = kCompressionNone;
  coloursUsed = 0;
}

std::shared_ptr<Bitmap> BitmapInfoBlock::createSection() const {
  if (planes != 1 || compression != kCompressionNone || width <= 0 || height >= 0 || height < -Bitmap::kMaxSide)
    return nullptr;
  std::shared_ptr<Bitmap> bitmap = Bitmap::Create(width, -height, bitCount);
  if (!bitmap || bitCount > 8) return bitmap;
  std::uint32_t entries = coloursUsed != 0 && coloursUsed < (1u << bitCount) ? coloursUsed : (1u << bitCount);
  bitmap->colourTable().assign(colours.begin(), colours.begin() + entries);
  return bitmap;
}

}  // namespace mascot
