#pragma once
#include <array>
#include <cstdint>
#include <vector>

#include "imaging/bitmap.h"
#include "imaging/shared_handle.h"

namespace mascot {

// One colour of a logical palette, as the display takes it.
struct PaletteEntry {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t flags = 0;
  bool operator==(const PaletteEntry&) const = default;
};

inline constexpr std::uint8_t kPaletteNoCollapse = 4;

// The display palette made from an image's colours: shared between the copies
// of a palette, freed with the last of them.
using PaletteHandle = SharedHandle<std::vector<PaletteEntry>>;

// A colour in the palette's own order: red, green, blue, 0.
struct PaletteColour {
  std::uint8_t red = 0;
  std::uint8_t green = 0;
  std::uint8_t blue = 0;
  std::uint8_t unused = 0;
  bool operator==(const PaletteColour&) const = default;
};

// A colour-cycling range of an LBM picture; kept with the palette, never
// drawn.
struct ColourRange {
  std::uint8_t low = 0;
  std::uint8_t high = 0;
  std::uint8_t rate = 0;
  std::int8_t direction = 0;
};

class ImagePalette {
 public:
  static constexpr int kMaxColours = 256;
  static constexpr int kMaxRanges = 16;

  bool IsValid() const { return count_ >= 1 && count_ <= kMaxColours; }
  int GetCount() const { return count_; }
  int GetRangeCount() const { return rangeCount_; }
  const std::array<ColourRange, kMaxRanges>& GetRanges() const { return ranges_; }
  const std::array<PaletteColour, kMaxColours>& GetColours() const { return colours_; }

  // Stores up to 256 (red, green, blue) triples; the count becomes
  // min(count, 256).
  void setColoursFromTriples(const std::uint8_t* triples, int count);
  // Stores quads (blue, green, red, 0) reordered; the count becomes
  // min(count, 256).
  void setColoursFromQuads(const RgbQuad* quads, int count);
  // Appends a range while fewer than 16 are stored; false when full.
  bool addRange(const ColourRange& range);

  // Builds the display palette from `count` quads, storing their colours;
  // on success the count becomes `count` and the ranges are dropped.
  bool makeHandle(const RgbQuad* quads, int count);
  const PaletteHandle& handle() const { return handle_; }
  void dropHandle() { handle_.reset(); }

  // The colours as (blue, green, red, 0) quads, all 256 of them.
  std::array<RgbQuad, kMaxColours> quads() const;

 private:
  int count_ = 0;
  int rangeCount_ = 0;
  std::array<ColourRange, kMaxRanges> ranges_{};
  std::array<PaletteColour, kMaxColours> colours_{};
  PaletteHandle handle_;
};

}  // namespace mascot
