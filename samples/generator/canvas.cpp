#include "canvas.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace samples {

void Canvas::set(int x, int y, std::uint8_t index) {
  if (x >= 0 && y >= 0 && x < width_ && y < height_) pixels_[std::size_t(y * width_ + x)] = index;
}

void Canvas::fillRect(int left, int top, int right, int bottom, std::uint8_t index) {
  for (int y = top; y < bottom; ++y)
    for (int x = left; x < right; ++x) set(x, y, index);
}

void Canvas::fillEllipse(double cx, double cy, double rx, double ry, std::uint8_t index) {
  for (int y = int(std::floor(cy - ry)); y <= int(std::ceil(cy + ry)); ++y) {
    for (int x = int(std::floor(cx - rx)); x <= int(std::ceil(cx + rx)); ++x) {
      double dx = (x + 0.5 - cx) / rx;
      double dy = (y + 0.5 - cy) / ry;
      if (dx * dx + dy * dy <= 1.0) set(x, y, index);
    }
  }
}

void Canvas::fillTriangle(std::array<double, 2> a, std::array<double, 2> b, std::array<double, 2> c,
                          std::uint8_t index) {
  auto side = [](std::array<double, 2> p, std::array<double, 2> q, double x, double y) {
    return (q[0] - p[0]) * (y - p[1]) - (q[1] - p[1]) * (x - p[0]);
  };
  int left = int(std::floor(std::min({a[0], b[0], c[0]})));
  int right = int(std::ceil(std::max({a[0], b[0], c[0]})));
  int top = int(std::floor(std::min({a[1], b[1], c[1]})));
  int bottom = int(std::ceil(std::max({a[1], b[1], c[1]})));
  for (int y = top; y <= bottom; ++y) {
    for (int x = left; x <= right; ++x) {
      double px = x + 0.5, py = y + 0.5;
      double s1 = side(a, b, px, py), s2 = side(b, c, px, py), s3 = side(c, a, px, py);
      bool inside = (s1 >= 0 && s2 >= 0 && s3 >= 0) || (s1 <= 0 && s2 <= 0 && s3 <= 0);
      if (inside) set(x, y, index);
    }
  }
}

void Canvas::line(int x0, int y0, int x1, int y1, std::uint8_t index, double radius) {
  int dx = std::abs(x1 - x0), dy = -std::abs(y1 - y0);
  int sx = x0 < x1 ? 1 : -1, sy = y0 < y1 ? 1 : -1;
  int error = dx + dy;
  for (;;) {
    if (radius > 0)
      fillEllipse(x0 + 0.5, y0 + 0.5, radius, radius, index);
    else
      set(x0, y0, index);
    if (x0 == x1 && y0 == y1) break;
    int e2 = 2 * error;
    if (e2 >= dy) {
      error += dy;
      x0 += sx;
    }
    if (e2 <= dx) {
      error += dx;
      y0 += sy;
    }
  }
}

void Canvas::clearBelow(int row) { fillRect(0, row + 1, width_, height_, 0); }

void Canvas::outline(std::uint8_t index) {
  std::vector<std::uint8_t> before = pixels_;
  auto drawn = [&](int x, int y) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return false;
    std::uint8_t p = before[std::size_t(y * width_ + x)];
    return p != 0 && p != index;
  };
  for (int y = 0; y < height_; ++y)
    for (int x = 0; x < width_; ++x)
      if (before[std::size_t(y * width_ + x)] == 0 &&
          (drawn(x - 1, y) || drawn(x + 1, y) || drawn(x, y - 1) || drawn(x, y + 1)))
        set(x, y, index);
}

}  // namespace samples
