#pragma once
#include <array>
#include <cstdint>
#include <vector>

namespace samples {

struct Colour {
  std::uint8_t red, green, blue;
};
using Palette = std::vector<Colour>;

// An indexed picture to draw pixel art on. Index 0 is the background, which
// the mascot window leaves out because the top-left pixel has it.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height), pixels_(std::size_t(width * height), 0) {}

  int width() const { return width_; }
  int height() const { return height_; }
  std::uint8_t at(int x, int y) const { return pixels_[std::size_t(y * width_ + x)]; }
  const std::vector<std::uint8_t>& pixels() const { return pixels_; }

  void set(int x, int y, std::uint8_t index);
  void fillRect(int left, int top, int right, int bottom, std::uint8_t index);  // right, bottom exclusive
  void fillEllipse(double cx, double cy, double rx, double ry, std::uint8_t index);
  void fillTriangle(std::array<double, 2> a, std::array<double, 2> b, std::array<double, 2> c, std::uint8_t index);
  // A line of round dots of the given radius (0: one pixel wide).
  void line(int x0, int y0, int x1, int y1, std::uint8_t index, double radius = 0);
  // Clears every pixel below the row (a flat bottom for round shapes).
  void clearBelow(int row);
  // Rings every drawn shape with the outline colour: background pixels next
  // to a drawn pixel (of any other colour) take it.
  void outline(std::uint8_t index);

 private:
  int width_;
  int height_;
  std::vector<std::uint8_t> pixels_;
};

}  // namespace samples
