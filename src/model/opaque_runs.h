#pragma once
#include <array>
#include <cstdint>
#include <span>
#include <vector>

#include "imaging/bitmap.h"
#include "imaging/region.h"

namespace mascot {

// The opaque runs of a picture's rows: the pixels whose colour, as
// pixelColour gives it, differs from the top-left pixel's. A row is read a
// word at a time rather than a colour at a time; the pictures of a published
// mascot are scanned each time it is opened.
class OpaqueRunScanner {
 public:
  // The bitmap must outlive the scanner and have at least one pixel.
  explicit OpaqueRunScanner(const Bitmap& bitmap);

  // Row y's runs from the left, as columns [left, right); valid until the
  // next call.
  std::span<const Span> row(int y);

 private:
  // How a row's pixels are told apart from the transparent colour.
  enum class Method {
    kOneIndex,     // 8-bit, one index has the transparent colour
    kIndexTable,   // 1, 4 or 8-bit, through a table of each byte's pixels
    kMaskedValue,  // 16, 24 or 32-bit, the bits the colour depends on
    kColour,       // anything else, pixel by pixel
  };

  void markOneIndex(const std::uint8_t* pixels);
  void markIndexTable(const std::uint8_t* pixels);
  void markMaskedValue(const std::uint8_t* pixels);
  void markColour(int y);
  void collectRuns();

  const Bitmap& bitmap_;
  const int width_;
  Method method_ = Method::kColour;
  std::uint32_t transparent_ = 0;  // the index, value bits or colour that is see-through
  std::uint32_t valueMask_ = 0;
  // Per byte of an indexed row: bit k set when its k-th pixel is opaque.
  std::array<std::uint8_t, 256> byteBits_{};
  std::vector<std::uint64_t> opaque_;  // one bit per pixel of the current row
  std::vector<Span> runs_;
};

}  // namespace mascot
