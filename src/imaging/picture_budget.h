#pragma once
#include <cstdint>

namespace mascot {

// What the pictures of one file may cost, in pixels: each picture, and all
// the pictures of the file together. A few kilobytes of run-length data, a
// header or a colour map can otherwise claim gigabytes, and pictures are
// decoded (and their shapes built) on the interface thread.
inline constexpr std::uint64_t kMaxPicturePixels = std::uint64_t{64} << 20;

// Sides are at most 32 bits, so the product cannot overflow.
constexpr bool FitsPictureBudget(std::uint32_t width, std::uint32_t height) {
  return std::uint64_t{width} * height <= kMaxPicturePixels;
}

// The pixels left for the further pictures of one file.
class PictureBudget {
 public:
  // Takes the picture's pixels; false, taking nothing, when they do not fit.
  bool take(std::uint32_t width, std::uint32_t height) {
    const std::uint64_t pixels = std::uint64_t{width} * height;
    if (pixels > left_) return false;
    left_ -= pixels;
    return true;
  }

 private:
  std::uint64_t left_ = kMaxPicturePixels;
};

// The last system error a refused picture leaves: the C runtime's "file too large".
std::uint32_t PictureTooLargeError();

}  // namespace mascot
