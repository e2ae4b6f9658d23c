// Region building and frame image loading at mascot sizes.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "imaging/bitmap.h"
#include "imaging/region.h"
#include "model/mascot_document.h"
#include "model/transparent_region.h"

namespace {

using mascot::Bitmap;

constexpr std::uint8_t kBackground = 0;

// An opaque blob (an ellipse with shading) with round holes in it, on a
// transparent background: index 0 of an 8-bit picture.
std::vector<std::uint8_t> BlobPixels(int width, int height, int variant) {
  std::vector<std::uint8_t> pixels(static_cast<std::size_t>(width * height), kBackground);
  const double cx = width / 2.0, cy = height / 2.0;
  const double rx = width * (0.40 - 0.02 * (variant % 3)), ry = height * 0.42;
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      double dx = (x - cx) / rx, dy = (y - cy) / ry;
      if (dx * dx + dy * dy > 1.0) continue;
      bool hole = false;
      for (int h = 0; h < 5; ++h) {
        double hx = cx + rx * 0.5 * std::cos(h * 1.3 + variant), hy = cy + ry * 0.5 * std::sin(h * 1.3 + variant);
        double hr = std::min(width, height) * 0.06;
        if ((x - hx) * (x - hx) + (y - hy) * (y - hy) < hr * hr) hole = true;
      }
      if (!hole) pixels[static_cast<std::size_t>(y * width + x)] = static_cast<std::uint8_t>(1 + (x * 7 + y * 3 + variant) % 200);
    }
  return pixels;
}

std::vector<mascot::RgbQuad> Palette() {
  std::vector<mascot::RgbQuad> colours(256);
  colours[0] = {0xFF, 0x00, 0xFF, 0};  // magenta background
  for (int i = 1; i < 256; ++i)
    colours[static_cast<std::size_t>(i)] = {static_cast<std::uint8_t>(i), static_cast<std::uint8_t>(255 - i),
                                            static_cast<std::uint8_t>(i * 3), 0};
  return colours;
}

void PutU16(std::vector<std::uint8_t>& out, std::uint32_t v) {
  out.push_back(static_cast<std::uint8_t>(v));
  out.push_back(static_cast<std::uint8_t>(v >> 8));
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t v) {
  PutU16(out, v & 0xFFFF);
  PutU16(out, v >> 16);
}

// A bottom-up 8-bit BMP with a 256-entry colour table.
void WriteBmp8(const std::string& path, int width, int height, const std::vector<std::uint8_t>& pixels) {
  const auto stride = (static_cast<std::uint32_t>(width) + 3) & ~3u;
  const std::uint32_t offset = 14 + 40 + 256 * 4;
  std::vector<std::uint8_t> out{'B', 'M'};
  PutU32(out, offset + stride * static_cast<std::uint32_t>(height));
  PutU32(out, 0);
  PutU32(out, offset);
  PutU32(out, 40);
  PutU32(out, static_cast<std::uint32_t>(width));
  PutU32(out, static_cast<std::uint32_t>(height));
  PutU16(out, 1);
  PutU16(out, 8);
  for (int i = 0; i < 6; ++i) PutU32(out, 0);
  for (const mascot::RgbQuad& c : Palette()) out.insert(out.end(), {c.blue, c.green, c.red, 0});
  for (int y = height - 1; y >= 0; --y) {
    auto row = pixels.begin() + y * width;
    out.insert(out.end(), row, row + width);
    out.resize(out.size() + (stride - static_cast<std::uint32_t>(width)), 0);
  }
  std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(out.data()),
                                               static_cast<std::streamsize>(out.size()));
}

// The rectangles as they were found before rows were read a word at a time:
// each pixel's colour on its own. Their union is the one stored rectangles
// still get (edges sorted and swept).
namespace per_pixel {

using mascot::Rect;

void AddRun(std::vector<Rect>& rects, int left, int right, int y) {
  if (!rects.empty()) {
    Rect& last = rects.back();
    if (last.left == left && last.right == right && last.bottom == y) {
      last.bottom = y + 1;
      return;
    }
  }
  rects.push_back({left, y, right, y + 1});
}

void FindOpaqueRects(const Bitmap& bitmap, std::vector<Rect>& rects) {
  rects.clear();
  const std::uint32_t transparent = bitmap.pixelColour(0, 0);
  const int width = bitmap.width();
  for (int y = 0; y < bitmap.height(); ++y) {
    int x = 0;
    while (x < width) {
      while (x < width && bitmap.pixelColour(x, y) == transparent) ++x;
      if (x == width) break;
      int start = x;
      while (x < width && bitmap.pixelColour(x, y) != transparent) ++x;
      AddRun(rects, start, x, y);
    }
  }
}

}  // namespace per_pixel

std::shared_ptr<Bitmap> Blob320x200() {
  auto bitmap = Bitmap::Create(320, 200, 8);
  bitmap->colourTable() = Palette();
  std::vector<std::uint8_t> pixels = BlobPixels(320, 200, 0);
  for (int y = 0; y < 200; ++y) std::copy_n(pixels.begin() + y * 320, 320, bitmap->row(y));
  return bitmap;
}

void BM_TransparentRegion320x200(benchmark::State& state) {
  auto bitmap = Blob320x200();
  std::vector<mascot::Rect> rects;
  std::size_t regionRects = 0;
  for (auto _ : state) {
    auto region = mascot::BuildTransparentRegion(bitmap.get(), rects, true);
    benchmark::DoNotOptimize(region);
    regionRects = region->rects().size();
  }
  state.counters["region_rects"] = static_cast<double>(regionRects);
}
BENCHMARK(BM_TransparentRegion320x200)->Unit(benchmark::kMicrosecond);

// Reference: the same picture pixel by pixel, then the union.
void BM_TransparentRegion320x200PerPixel(benchmark::State& state) {
  auto bitmap = Blob320x200();
  std::vector<mascot::Rect> rects;
  std::size_t regionRects = 0;
  for (auto _ : state) {
    per_pixel::FindOpaqueRects(*bitmap, rects);
    auto region = mascot::BuildTransparentRegion(nullptr, rects, false);
    benchmark::DoNotOptimize(region);
    regionRects = region->rects().size();
  }
  state.counters["region_rects"] = static_cast<double>(regionRects);
}
BENCHMARK(BM_TransparentRegion320x200PerPixel)->Unit(benchmark::kMicrosecond);

// 50 frames over 40 files of 8 shapes; 10 frames name an earlier file in
// another letter case.
void BM_LoadImages50Frames(benchmark::State& state) {
  const std::filesystem::path folder =
      std::filesystem::temp_directory_path() / ("mascot-bench-model-" + std::to_string(::getpid()));
  std::filesystem::create_directories(folder);
  mascot::MascotDocument document;
  for (int i = 0; i < 40; ++i) {
    std::string name = (folder / ("frame" + std::to_string(i) + ".bmp")).string();
    std::vector<std::uint8_t> pixels = BlobPixels(96, 96, i % 8);
    if (i >= 8) pixels[static_cast<std::size_t>(48 * 96 + 48)] ^= 0x40;  // another colour, the same shape
    WriteBmp8(name, 96, 96, pixels);
    mascot::FrameRecord frame;
    frame.fileName = name;
    document.frames.push_back(frame);
  }
  for (int i = 0; i < 10; ++i) {
    mascot::FrameRecord frame;
    frame.fileName = (folder / ("FRAME" + std::to_string(i * 3) + ".BMP")).string();
    document.frames.push_back(frame);
  }
  bool loaded = true;
  for (auto _ : state) loaded = document.loadImages() && loaded;
  if (!loaded) state.SkipWithError(document.getLoadErrors().c_str());
  state.counters["images"] = static_cast<double>(document.images.size());
  std::filesystem::remove_all(folder);
}
BENCHMARK(BM_LoadImages50Frames)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
