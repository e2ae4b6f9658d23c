#include "imaging/bitmap.h"

#include <bit>

namespace mascot {
namespace {

bool SupportedDepth(int bpp) {
  return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

// Scales a masked channel to 0..255.
std::uint8_t Channel(std::uint32_t pixel, std::uint32_t mask) {
  if (mask == 0) return 0;
  int shift = std::countr_zero(mask);
  int bits = std::popcount(mask >> shift);
  std::uint32_t value = (pixel & mask) >> shift;
  if (bits >= 8) return static_cast<std::uint8_t>(value >> (bits - 8));
  std::uint32_t max = (1u << bits) - 1;
  return static_cast<std::uint8_t>((value * 255 + max / 2) / max);
}

}  // namespace

Bitmap::Bitmap(int width, int height, int bitsPerPixel)
    : width_(width), height_(height), bitsPerPixel_(bitsPerPixel),
      stride_(StrideFor(width, bitsPerPixel)),
      bits_(static_cast<std::size_t>(stride_) * static_cast<std::size_t>(height)) {
  if (bitsPerPixel == 16) setMasks(0x7C00, 0x03E0, 0x001F);
  if (bitsPerPixel == 32) setMasks(0xFF0000, 0x00FF00, 0x0000FF);
}

std::shared_ptr<Bitmap> Bitmap::Create(int width, int height, int bitsPerPixel) {
  if (!SupportedDepth(bitsPerPixel) || width < 1 || height < 1 || width > kMaxSide || height > kMaxSide)
    return nullptr;
  return std::shared_ptr<Bitmap>(new Bitmap(width, height, bitsPerPixel));
}

void Bitmap::setMasks(std::uint32_t red, std::uint32_t green, std::uint32_t blue) {
  masks_[0] = red;
  masks_[1] = green;
  masks_[2] = blue;
}

std::uint32_t Bitmap::pixelValue(int x, int y) const {
  const std::uint8_t* p = row(y);
  auto ux = static_cast<std::uint32_t>(x);
  switch (bitsPerPixel_) {
    case 1: return (p[ux >> 3] >> (7 - (ux & 7))) & 1;
    case 4: return (p[ux >> 1] >> ((ux & 1) ? 0 : 4)) & 0x0F;
    case 8: return p[ux];
    case 16: return p[2 * ux] | (p[2 * ux + 1] << 8);
    case 24: return p[3 * ux] | (p[3 * ux + 1] << 8) | (static_cast<std::uint32_t>(p[3 * ux + 2]) << 16);
    default:
      return p[4 * ux] | (p[4 * ux + 1] << 8) | (static_cast<std::uint32_t>(p[4 * ux + 2]) << 16) |
             (static_cast<std::uint32_t>(p[4 * ux + 3]) << 24);
  }
}

std::uint32_t Bitmap::pixelColour(int x, int y) const {
  std::uint32_t v = pixelValue(x, y);
  switch (bitsPerPixel_) {
    case 1:
    case 4:
    case 8: {
      if (v >= colours_.size()) return 0;
      const RgbQuad& c = colours_[v];
      return Rgb(c.red, c.green, c.blue);
    }
    case 24: return Rgb(static_cast<std::uint8_t>(v >> 16), static_cast<std::uint8_t>(v >> 8),
                        static_cast<std::uint8_t>(v));
    default: return Rgb(Channel(v, masks_[0]), Channel(v, masks_[1]), Channel(v, masks_[2]));
  }
}

}  // namespace mascot
