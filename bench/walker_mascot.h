// The mascot the file benchmarks publish and open: 60 frames of 320 x 200
// 8-bit pixel art, and a scratch folder for its file.
#pragma once
#include <stdlib.h>  // mkdtemp

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "files/published_mascot.h"
#include "model/transparent_region.h"

namespace bench {

using mascot::Bitmap;
using mascot::MascotDocument;

constexpr int kFrames = 60;
constexpr int kWidth = 320;
constexpr int kHeight = 200;

// One frame of a walking figure: a flat transparent background, a banded
// floor, an outlined body with a dithered shade that moves with the frame,
// eyes, and a few sparkles.
inline std::shared_ptr<Bitmap> Picture(int frame) {
  auto bitmap = Bitmap::Create(kWidth, kHeight, 8);
  for (int i = 0; i < 256; ++i)
    bitmap->colourTable().push_back({std::uint8_t(i * 7), std::uint8_t(i * 3), std::uint8_t(255 - i), 0});
  std::mt19937 random(static_cast<unsigned>(frame));
  const int centre = 120 + frame;
  const int bob = (frame % 8) < 4 ? frame % 4 : 4 - frame % 4;
  for (int y = 0; y < kHeight; ++y) {
    std::uint8_t* row = bitmap->row(y);
    for (int x = 0; x < kWidth; ++x) {
      std::uint8_t c = 0;
      if (y > 160) c = static_cast<std::uint8_t>(20 + (y - 160) / 8);
      const int dx = x - centre, dy = y - 100 - bob;
      const int body = dx * dx / 4 + dy * dy;
      if (body < 3600) c = ((x + y) & 1) && dx > 20 ? 41 : 40;
      if (body >= 3400 && body < 3600) c = 1;
      if ((dx + 25) * (dx + 25) + (dy + 20) * (dy + 20) < 40) c = 15;
      if ((dx - 25) * (dx - 25) + (dy + 20) * (dy + 20) < 40) c = 15;
      row[x] = c;
    }
  }
  for (int i = 0; i < 150; ++i)
    bitmap->row(static_cast<int>(random() % kHeight))[random() % kWidth] = static_cast<std::uint8_t>(200 + random() % 16);
  return bitmap;
}

inline MascotDocument Mascot() {
  MascotDocument document;
  document.name = "Walker";
  document.creatorInfo = "Bench\r\nbench@example.org";
  for (int i = 0; i < kFrames; ++i) {
    mascot::FrameImage image;
    auto bitmap = Picture(i);
    image.region = mascot::BuildTransparentRegion(bitmap.get(), image.rects, true);
    image.width = kWidth;
    image.height = kHeight;
    image.bitmap = std::move(bitmap);
    document.images.push_back(std::move(image));
    mascot::FrameRecord frame;
    frame.imageIndex = i;
    frame.minFrameDelay = 80;
    frame.maxFrameDelay = 120;
    document.frames.push_back(frame);
  }
  return document;
}

struct Scratch {
  std::filesystem::path folder;
  Scratch() {
    std::string pattern = (std::filesystem::temp_directory_path() / "bench-files-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) std::abort();
    folder = pattern;
  }
  ~Scratch() { std::filesystem::remove_all(folder); }
};

}  // namespace bench
