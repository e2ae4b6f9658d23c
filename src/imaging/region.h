#pragma once
#include <pixman.h>

#include <cstddef>
#include <span>
#include <vector>

namespace mascot {

// A rectangle in pixels; right and bottom are exclusive.
struct Rect {
  int left = 0;
  int top = 0;
  int right = 0;
  int bottom = 0;
  bool operator==(const Rect&) const = default;
};

// An area of pixels: a union of rectangles, over pixman.
class Region {
 public:
  Region();
  explicit Region(const Rect& rect);
  Region(const Region& other);
  Region& operator=(const Region& other);
  ~Region();

  // Adds a rectangle (logical OR); false when the region engine failed.
  bool unite(const Rect& rect);
  bool unite(const Region& other);
  void translate(int dx, int dy);

  bool isEmpty() const;
  bool contains(int x, int y) const;
  Rect bounds() const;
  // The rectangles of the region in the engine's banded order.
  std::vector<Rect> rects() const;

  bool operator==(const Region& other) const;

  const pixman_region32_t* native() const { return &region_; }

 private:
  friend class RegionBands;
  pixman_region32_t region_;
};

// Columns [left, right) of one band.
struct Span {
  int left = 0;
  int right = 0;
  bool operator==(const Span&) const = default;
};

// Builds a region in one pass, band by band from the top: uniting
// rectangles one at a time costs the engine time in proportion to the
// region's size for each of them, which a 1-bit checkerboard turns into
// minutes. Each band's spans come in increasing x, neither overlapping nor
// touching; a band equal to the one right above it is merged into it, so the
// engine receives its own canonical form.
class RegionBands {
 public:
  void addBand(int top, int bottom, std::span<const Span> spans);
  // The region of the bands so far; false when the engine failed.
  bool build(Region& region) const;
  bool empty() const { return boxes_.empty(); }

 private:
  bool continuesLastBand(int top, std::span<const Span> spans) const;

  std::vector<pixman_box32_t> boxes_;
  std::size_t lastBand_ = 0;  // index of the last band's first box
};

}  // namespace mascot
