#include "imaging/image_palette.h"

#include <algorithm>
#include <memory>

namespace mascot {

void ImagePalette::setColoursFromTriples(const std::uint8_t* triples, int count) {
  count = std::clamp(count, 0, kMaxColours);
  for (int i = 0; i < count; ++i)
    colours_[i] = {triples[3 * i], triples[3 * i + 1], triples[3 * i + 2], 0};
  count_ = count;
}

void ImagePalette::setColoursFromQuads(const RgbQuad* quads, int count) {
  count = std::clamp(count, 0, kMaxColours);
  for (int i = 0; i < count; ++i) colours_[i] = {quads[i].red, quads[i].green, quads[i].blue, 0};
  count_ = count;
}

bool ImagePalette::addRange(const ColourRange& range) {
  if (rangeCount_ >= kMaxRanges) return false;
  ranges_[rangeCount_++] = range;
  return true;
}

bool ImagePalette::makeHandle(const RgbQuad* quads, int count) {
  if (quads == nullptr) return false;
  count = std::min(count, kMaxColours);
  auto entries = std::make_shared<std::vector<PaletteEntry>>();
  for (int i = 0; i < count; ++i) {
    entries->push_back({quads[i].red, quads[i].green, quads[i].blue, kPaletteNoCollapse});
    colours_[i] = {quads[i].red, quads[i].green, quads[i].blue, 0};
  }
  // A display palette needs at least one colour.
  if (count < 1) return false;
  handle_ = std::move(entries);
  count_ = count;
  rangeCount_ = 0;
  return true;
}

std::array<RgbQuad, ImagePalette::kMaxColours> ImagePalette::quads() const {
  std::array<RgbQuad, kMaxColours> result{};
  for (int i = 0; i < kMaxColours; ++i) result[i] = {colours_[i].blue, colours_[i].green, colours_[i].red, 0};
  return result;
}

}  // namespace mascot
