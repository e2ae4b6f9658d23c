#pragma once
#include <pixman.h>

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
  pixman_region32_t region_;
};

}  // namespace mascot
