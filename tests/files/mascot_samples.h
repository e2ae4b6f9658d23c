#pragma once
#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "files/published_mascot.h"
#include "model/transparent_region.h"
#include "storage/container_test_files.h"
#include "storage/resource_file_writer.h"

namespace mascot::testing {

// An 8-bit picture with a 16-colour table: a filled box on colour 0.
inline SharedHandle<Bitmap> IndexedPicture(int width, int height) {
  auto bitmap = Bitmap::Create(width, height, 8);
  for (int i = 0; i < 16; ++i)
    bitmap->colourTable().push_back({std::uint8_t(i * 16), std::uint8_t(255 - i), std::uint8_t(i), 0});
  for (int y = 1; y < height - 1; ++y)
    for (int x = 2; x < width - 1; ++x) bitmap->row(y)[x] = static_cast<std::uint8_t>(1 + (x + y) % 15);
  return bitmap;
}

// A 24-bit picture with an opaque diagonal band; width 5 leaves row padding.
inline SharedHandle<Bitmap> TrueColourPicture(int width, int height) {
  auto bitmap = Bitmap::Create(width, height, 24);
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x) {
      std::uint8_t* p = bitmap->row(y) + 3 * x;
      if (x >= y) p[0] = 10, p[1] = std::uint8_t(20 * x), p[2] = std::uint8_t(30 * y);
    }
  return bitmap;
}

inline FrameImage ImageOf(SharedHandle<Bitmap> bitmap) {
  FrameImage image;
  image.region = BuildTransparentRegion(bitmap.get(), image.rects, true);
  image.width = bitmap->width();
  image.height = bitmap->height();
  image.bitmap = std::move(bitmap);
  return image;
}

inline FrameRecord Frame(std::int32_t image, std::uint32_t minDelay, std::uint32_t maxDelay, std::int32_t jump) {
  FrameRecord frame;
  frame.imageIndex = image;
  frame.minFrameDelay = minDelay;
  frame.maxFrameDelay = maxDelay;
  frame.jumpFrame = jump;
  frame.minLoopCount = 2;
  frame.maxLoopCount = 5;
  return frame;
}

// A mascot with two pictures of different depths, three frames and texts
// beyond ASCII; no sound and no read-me.
inline MascotDocument SampleMascot() {
  MascotDocument d;
  d.name = "Zoë the 🦊";
  d.creatorInfo = "Åsa Berg\r\nasa@example.org";
  d.mascotInfo = "Inspired by\tautumn";
  d.balloonText = "Hallo, Welt — ça va?";
  d.balloonFont = "Sans";
  d.balloonFontSize = 14;
  d.balloonBackColor = 0x00C0FFEE;
  d.balloonTextColor = 0x00102030;
  d.clickSequenceDefined = 1;
  d.clickStartIndex = 1;
  d.clickEndIndex = 2;
  d.xOffset = -7;
  d.yOffset = 3;
  d.offsetRelativeToRightEdge = 1;
  d.images = {ImageOf(IndexedPicture(7, 4)), ImageOf(TrueColourPicture(5, 3))};
  d.frames = {Frame(0, 100, 200, -1), Frame(1, 50, 60, 0), Frame(0, 1, 2, -1)};
  return d;
}

// A container with the given resources written as they are.
inline void WriteContainer(const std::filesystem::path& path,
                           const std::vector<std::pair<std::uint32_t, Bytes>>& resources) {
  ResourceFileWriter writer;
  ASSERT_TRUE(writer.Open(path.string(), true));
  for (const auto& [type, bytes] : resources)
    ASSERT_TRUE(writer.WriteResource(bytes, type, kPublishedResourceId, false));
  ASSERT_TRUE(writer.Close());
}

}  // namespace mascot::testing
