#pragma once
#include <cstdint>
#include <memory>
#include <vector>

#include "imaging/shared_handle.h"

namespace mascot {

// One entry of a colour table, in the byte order of the file formats.
struct RgbQuad {
  std::uint8_t blue = 0;
  std::uint8_t green = 0;
  std::uint8_t red = 0;
  std::uint8_t reserved = 0;
  bool operator==(const RgbQuad&) const = default;
};

// A device-independent picture: 1, 4, 8, 16, 24 or 32 bits per pixel, rows
// top-down with a 4-byte aligned stride, and a colour table for the indexed
// depths. 16- and 32-bit pixels are decoded with the channel masks (5-5-5 and
// 8-8-8 by default).
class Bitmap {
 public:
  static constexpr int kMaxSide = 16384;

  // A zero-filled picture; null when the depth is not supported or a side is
  // not in 1..kMaxSide.
  static std::shared_ptr<Bitmap> Create(int width, int height, int bitsPerPixel);

  static std::uint32_t StrideFor(int width, int bitsPerPixel) {
    return ((static_cast<std::uint32_t>(width) * static_cast<std::uint32_t>(bitsPerPixel) + 31) / 32) * 4;
  }

  int width() const { return width_; }
  int height() const { return height_; }
  int bitsPerPixel() const { return bitsPerPixel_; }
  std::uint32_t stride() const { return stride_; }

  std::uint8_t* row(int y) { return bits_.data() + stride_ * static_cast<std::uint32_t>(y); }
  const std::uint8_t* row(int y) const { return bits_.data() + stride_ * static_cast<std::uint32_t>(y); }
  std::uint8_t* bits() { return bits_.data(); }
  const std::uint8_t* bits() const { return bits_.data(); }
  std::size_t byteSize() const { return bits_.size(); }

  std::vector<RgbQuad>& colourTable() { return colours_; }
  const std::vector<RgbQuad>& colourTable() const { return colours_; }

  // Channel masks of 16- and 32-bit pixels.
  void setMasks(std::uint32_t red, std::uint32_t green, std::uint32_t blue);
  std::uint32_t redMask() const { return masks_[0]; }
  std::uint32_t greenMask() const { return masks_[1]; }
  std::uint32_t blueMask() const { return masks_[2]; }

  // The raw value of a pixel: an index for the indexed depths, else the
  // packed pixel. The caller keeps (x, y) inside the picture.
  std::uint32_t pixelValue(int x, int y) const;
  // The colour of a pixel as 0x00BBGGRR; an index beyond the table is black.
  std::uint32_t pixelColour(int x, int y) const;

 private:
  Bitmap(int width, int height, int bitsPerPixel);

  int width_;
  int height_;
  int bitsPerPixel_;
  std::uint32_t stride_;
  std::vector<std::uint8_t> bits_;
  std::vector<RgbQuad> colours_;
  std::uint32_t masks_[3] = {0, 0, 0};
};

constexpr std::uint32_t Rgb(std::uint8_t r, std::uint8_t g, std::uint8_t b) {
  return static_cast<std::uint32_t>(r) | (static_cast<std::uint32_t>(g) << 8) |
         (static_cast<std::uint32_t>(b) << 16);
}

}  // namespace mascot
