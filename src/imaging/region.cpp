#include "imaging/region.h"

#include <cstdint>
#include <limits>

namespace mascot {

Region::Region() { pixman_region32_init(&region_); }

Region::Region(const Rect& rect) {
  pixman_region32_init_rect(&region_, rect.left, rect.top,
                            static_cast<unsigned>(rect.right - rect.left),
                            static_cast<unsigned>(rect.bottom - rect.top));
}

Region::Region(const Region& other) {
  pixman_region32_init(&region_);
  pixman_region32_copy(&region_, &other.region_);
}

Region& Region::operator=(const Region& other) {
  if (this != &other) pixman_region32_copy(&region_, &other.region_);
  return *this;
}

Region::~Region() { pixman_region32_fini(&region_); }

bool Region::unite(const Rect& rect) {
  if (rect.right <= rect.left || rect.bottom <= rect.top) return true;
  // pixman keeps corners in 32 bits; a width beyond that is no picture's.
  if (static_cast<long long>(rect.right) - rect.left > INT32_MAX ||
      static_cast<long long>(rect.bottom) - rect.top > INT32_MAX)
    return false;
  return pixman_region32_union_rect(&region_, &region_, rect.left, rect.top,
                                    static_cast<unsigned>(rect.right - rect.left),
                                    static_cast<unsigned>(rect.bottom - rect.top));
}

bool Region::unite(const Region& other) {
  return pixman_region32_union(&region_, &region_, &other.region_);
}

void Region::translate(int dx, int dy) { pixman_region32_translate(&region_, dx, dy); }

bool Region::isEmpty() const { return !pixman_region32_not_empty(&region_); }

bool Region::contains(int x, int y) const {
  return pixman_region32_contains_point(&region_, x, y, nullptr);
}

Rect Region::bounds() const {
  const pixman_box32_t* box = pixman_region32_extents(&region_);
  return {box->x1, box->y1, box->x2, box->y2};
}

std::vector<Rect> Region::rects() const {
  int count = 0;
  const pixman_box32_t* boxes = pixman_region32_rectangles(&region_, &count);
  std::vector<Rect> out;
  out.reserve(static_cast<std::size_t>(count));
  for (int i = 0; i < count; ++i) out.push_back({boxes[i].x1, boxes[i].y1, boxes[i].x2, boxes[i].y2});
  return out;
}

bool Region::operator==(const Region& other) const {
  return pixman_region32_equal(&region_, &other.region_);
}

bool RegionBands::continuesLastBand(int top, std::span<const Span> spans) const {
  if (boxes_.empty() || boxes_.back().y2 != top || boxes_.size() - lastBand_ != spans.size()) return false;
  for (std::size_t i = 0; i < spans.size(); ++i) {
    const pixman_box32_t& box = boxes_[lastBand_ + i];
    if (box.x1 != spans[i].left || box.x2 != spans[i].right) return false;
  }
  return true;
}

void RegionBands::addBand(int top, int bottom, std::span<const Span> spans) {
  if (spans.empty() || bottom <= top) return;
  if (continuesLastBand(top, spans)) {
    for (std::size_t i = lastBand_; i < boxes_.size(); ++i) boxes_[i].y2 = bottom;
    return;
  }
  lastBand_ = boxes_.size();
  for (const Span& span : spans) boxes_.push_back({span.left, top, span.right, bottom});
}

bool RegionBands::build(Region& region) const {
  if (boxes_.size() > static_cast<std::size_t>(std::numeric_limits<int>::max())) return false;
  pixman_region32_fini(&region.region_);
  return pixman_region32_init_rects(&region.region_, boxes_.data(), static_cast<int>(boxes_.size()));
}

}  // namespace mascot
