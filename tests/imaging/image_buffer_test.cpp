#include <gtest/gtest.h>

#include <algorithm>

#include "imaging/bitmap_info_block.h"
#include "imaging/dib_image_buffer.h"
#include "imaging/image_buffer.h"
#include "imaging/image_file.h"

namespace mascot {
namespace {

// Fills an image with 1, 2, 3, ... row by row.
void Number(ImageBuffer& image) {
  std::uint8_t* bits = image.LockWrite();
  std::uint8_t v = 1;
  for (std::uint32_t y = 0; y < image.height(); ++y)
    for (std::uint32_t x = 0; x < image.width(); ++x) bits[y * image.stride() + x] = v++;
  image.UnlockWrite();
}

TEST(ImageBuffer, LayoutOwnershipAndEmptyImages) {
  ImageBuffer image(5, 3);
  EXPECT_EQ(image.stride(), 8u);
  EXPECT_EQ(std::count(image.bits(), image.bits() + 24, 0), 24);
  image.LockWrite()[20] = 7;
  EXPECT_EQ(image.GetPixel(4, 2), 7);

  std::uint8_t outside[6] = {1, 2, 3, 4, 5, 6};
  image.Attach(outside, 3, 3, 2, 9, 10);
  EXPECT_EQ(image.flags() & ImageBuffer::kOwnsStorage, 0u);
  EXPECT_EQ(image.GetPixel(1, 1), 5);

  EXPECT_EQ(ImageBuffer(0, 4).GetPixel(0, 0), -1);
  EXPECT_EQ(ImageBuffer(nullptr, 3, 12, 2, 1, 2).stride(), 12u);
}

TEST(ImageBuffer, TransfersWalkTheirDirectionsAndHonourTransparency) {
  ImageBuffer source(3, 2);  // 1 2 3 / 4 5 6
  Number(source);
  source.LockWrite()[1] = 0;  // 1 0 3 / 4 5 6
  auto run = [&](auto transfer, int last) {
    ImageBuffer target(3, 2);
    target.FillRect(0, 0, 3, 2, 9);
    (source.*transfer)(0, 0, target, 0, 0, 3, 2, last);
    std::vector<int> out;
    for (std::uint32_t y = 0; y < 2; ++y)
      for (std::uint32_t x = 0; x < 3; ++x) out.push_back(target.GetPixel(x, y));
    return out;
  };
  EXPECT_EQ(run(&ImageBuffer::Copy, 0), (std::vector<int>{1, 0, 3, 4, 5, 6}));
  EXPECT_EQ(run(&ImageBuffer::Copy, 1), (std::vector<int>{1, 9, 3, 4, 5, 6}));
  EXPECT_EQ(run(&ImageBuffer::CopyMirrored, 0), (std::vector<int>{3, 0, 1, 6, 5, 4}));
  EXPECT_EQ(run(&ImageBuffer::CopyFlipped, 0), (std::vector<int>{4, 5, 6, 1, 0, 3}));
  EXPECT_EQ(run(&ImageBuffer::CopyRotated, 1), (std::vector<int>{6, 5, 4, 3, 9, 1}));
  EXPECT_EQ(run(&ImageBuffer::Stencil, 7), (std::vector<int>{7, 9, 7, 7, 7, 7}));
  EXPECT_EQ(run(&ImageBuffer::StencilMirrored, 7), (std::vector<int>{7, 9, 7, 7, 7, 7}));
  EXPECT_EQ(run(&ImageBuffer::StencilFlipped, 2), (std::vector<int>{2, 2, 2, 2, 9, 2}));
  EXPECT_EQ(run(&ImageBuffer::StencilRotated, 2), (std::vector<int>{2, 2, 2, 2, 9, 2}));
}

TEST(ImageBuffer, InPlaceOperations) {
  ImageBuffer square(2, 2);  // 1 2 / 3 4
  Number(square);
  square.RotateInPlace();
  EXPECT_EQ(square.GetPixel(0, 0), 4);
  EXPECT_EQ(square.GetPixel(1, 0), 3);

  ImageBuffer column(1, 3);
  Number(column);
  column.MirrorInPlace();
  column.FlipInPlace();
  EXPECT_EQ(column.GetPixel(0, 0), 3);

  ImageBuffer odd(3, 3);  // the middle row turns with the rest
  Number(odd);
  odd.RotateInPlace();
  EXPECT_EQ(odd.GetPixel(0, 1), 6);
  EXPECT_EQ(odd.GetPixel(0, 0), 9);
}

TEST(DibImageBuffer, BlankSectionsAndAssignedPixels) {
  DibImageBuffer blank(37, 2);
  ASSERT_TRUE(blank.HasBitmap());
  EXPECT_EQ(blank.bitmap()->width(), 40);
  EXPECT_EQ(blank.width(), 37u);
  EXPECT_EQ(blank.stride(), 40u);
  EXPECT_EQ(blank.bitmap()->colourTable()[200], (RgbQuad{200, 200, 200, 0}));
  EXPECT_EQ(blank.GetPalette()->handle(), nullptr);
  EXPECT_FALSE(DibImageBuffer(Bitmap::kMaxSide + 1, 1).IsValid());
  EXPECT_EQ(DibImageBuffer(5, 1, 24).stride(), 24u);

  std::vector<std::uint8_t> pixels(37 * 10, 5);
  std::vector<std::uint8_t> triples(768, 0);
  triples[15] = 255;  // entry 5 red
  DibImageBuffer assigned(pixels.data(), triples.data(), 6, 37, 37, 10);
  ASSERT_TRUE(assigned.HasBitmap());
  const Bitmap& bitmap = *assigned.bitmap();
  EXPECT_EQ(bitmap.width(), 40);
  EXPECT_EQ(bitmap.pixelValue(36, 9), 5u);
  for (int x = 37; x < 40; ++x) EXPECT_EQ(bitmap.pixelValue(x, 9), 0u);
  EXPECT_EQ(bitmap.pixelColour(0, 0), Rgb(255, 0, 0));
  ASSERT_EQ(assigned.GetPalette()->handle()->size(), 6u);
  EXPECT_EQ(assigned.GetPalette()->handle()->at(5), (PaletteEntry{255, 0, 0, kPaletteNoCollapse}));

  std::shared_ptr<Bitmap> detached = assigned.Detach();
  EXPECT_EQ(detached->width(), 40);
  EXPECT_FALSE(assigned.IsValid());
  EXPECT_EQ(assigned.Detach(), nullptr);
}

TEST(DibImageBuffer, ColourTablesAndPaletteHandles) {
  DibImageBuffer image(4, 4);
  RgbQuad quads[3] = {{1, 2, 3, 0}, {4, 5, 6, 0}, {7, 8, 9, 0}};
  EXPECT_EQ(image.SetColourTable(quads, 3, false), 3);
  EXPECT_EQ(image.bitmap()->colourTable()[2], (RgbQuad{7, 8, 9, 0}));
  EXPECT_EQ(image.GetPalette()->handle(), nullptr);
  EXPECT_EQ(image.SetColourTable(quads, 3, true), 3);
  EXPECT_EQ(image.GetPalette()->GetColours()[1], (PaletteColour{6, 5, 4, 0}));

  std::uint8_t rgbx[1024] = {};
  rgbx[4] = 10, rgbx[5] = 20, rgbx[6] = 30, rgbx[7] = 99;
  EXPECT_EQ(image.SetColoursRgbx(rgbx, 2, false), 2);
  EXPECT_EQ(image.bitmap()->colourTable()[1], (RgbQuad{30, 20, 10, 0}));
}

TEST(BitmapInfoBlock, HeaderSizeFollowsThePlatform) {
  EXPECT_EQ(BitmapInfoHeaderSize(CurrentPlatform()), 40u);
  EXPECT_EQ(BitmapInfoHeaderSize({PlatformFamily::Windows9x, 4, 10}), 124u);
  EXPECT_EQ(BitmapInfoHeaderSize({PlatformFamily::WindowsNt, 5, 1}), 124u);
}

TEST(ImageFile, ResizeKeepsTheTopLeftAndNewImagesCarryThePalette) {
  DibImageFile file;
  file.NewImage(10, 10);
  Number(*file.image());
  RgbQuad red{0, 0, 255, 0};
  EXPECT_EQ(file.SetPalette(&red, 1), 1);
  EXPECT_EQ(file.palette().GetColours()[0], (PaletteColour{255, 0, 0, 0}));
  ImageBuffer* before = file.image();
  PaletteHandle handle = before->GetPalette()->handle();
  ASSERT_NE(handle, nullptr);
  file.Resize(10, 10);
  EXPECT_EQ(file.image(), before);
  file.Resize(4, 20);
  ImageBuffer& after = *file.image();
  EXPECT_NE(&after, before);
  EXPECT_EQ(after.GetPixel(3, 9), 94);
  EXPECT_EQ(after.GetPixel(3, 10), 0);
  auto* dib = dynamic_cast<DibImageBuffer*>(&after);
  ASSERT_NE(dib, nullptr);
  EXPECT_EQ(dib->bitmap()->colourTable()[0], red);
  EXPECT_EQ(dib->GetPalette()->handle(), handle);

  ImageFile memory;
  memory.NewImage(3, 3);
  Number(*memory.image());
  before = memory.image();
  memory.Resize(3, 3);  // the memory variant always rebuilds
  EXPECT_NE(memory.image(), before);
  EXPECT_EQ(memory.image()->GetPixel(2, 2), 9);
  EXPECT_EQ(memory.SetPalette(nullptr, 4), 0);
}

}  // namespace
}  // namespace mascot
