#pragma once
#include <cstdint>
#include <memory>

#include "imaging/bitmap.h"
#include "imaging/bitmap_info_block.h"
#include "imaging/image_buffer.h"
#include "imaging/image_palette.h"

namespace mascot {

// An image whose pixels live in a Bitmap, so the decoded picture can leave as
// an ordinary picture (Detach). The bitmap is the requested width rounded up
// to a multiple of 4; the width field keeps the requested width.
class DibImageBuffer : public ImageBuffer {
 public:
  // A blank picture of that depth (8, or 24 for true-colour pictures) with a
  // grey-ramp colour table and no palette handle; nothing when a side is 0.
  DibImageBuffer(std::uint32_t width, std::uint32_t height, int bitCount = 8);
  // With `bits` null and `rgbTriples` given: an empty picture with that table
  // and a palette handle; otherwise as AssignRgb.
  DibImageBuffer(const std::uint8_t* bits, const std::uint8_t* rgbTriples, int count, std::uint32_t width,
                 std::uint32_t stride, std::uint32_t height, std::int32_t userX = 0, std::int32_t userY = 0);

  void Attach(std::uint8_t* bits, std::uint32_t width, std::uint32_t stride, std::uint32_t height,
              std::int32_t userX, std::int32_t userY) override;
  int SetColoursRgbx(const std::uint8_t* entries, int count, bool makeHandle) override;
  int SetColourTable(const RgbQuad* quads, int count, bool makeHandle) override;
  ImagePalette* GetPalette() override { return &palette_; }

  // New 8-bit top-down pictures with the given table. The object's bits
  // point into the result, but it keeps neither the picture nor ownership.
  std::shared_ptr<Bitmap> MakeBitmap(std::uint32_t width, std::uint32_t height, const ImagePalette& palette);
  std::shared_ptr<Bitmap> MakeBitmapFromQuads(std::uint32_t width, std::uint32_t height, const RgbQuad* quads,
                                              int count);
  std::shared_ptr<Bitmap> MakeBitmapFromRgbx(std::uint32_t width, std::uint32_t height,
                                             const std::uint8_t* entries, int count);

  // Copies `palette` (sharing its handle), then AssignRgbx with its colours.
  void AssignWithPalette(const std::uint8_t* bits, const ImagePalette& palette, std::uint32_t width,
                         std::uint32_t stride, std::uint32_t height, std::int32_t userX, std::int32_t userY);
  // A new 8-bit picture holding the decoded rows; `rgbTriples` is 256
  // (red, green, blue) colours of which `count` go into the palette handle.
  void AssignRgb(const std::uint8_t* bits, const std::uint8_t* rgbTriples, int count, std::uint32_t width,
                 std::uint32_t stride, std::uint32_t height, std::int32_t userX, std::int32_t userY);
  void AssignQuads(const std::uint8_t* bits, const RgbQuad* quads, int count, std::uint32_t width,
                   std::uint32_t stride, std::uint32_t height, std::int32_t userX, std::int32_t userY);
  void AssignRgbx(const std::uint8_t* bits, const std::uint8_t* entries, int count, std::uint32_t width,
                  std::uint32_t stride, std::uint32_t height, std::int32_t userX, std::int32_t userY);

  bool HasBitmap() const { return bitmap_ != nullptr; }
  const Bitmap* bitmap() const { return bitmap_.get(); }
  // Hands the picture to the caller; the object is empty afterwards.
  std::shared_ptr<Bitmap> Detach();

  // Replaces the palette with a copy of `palette`, sharing its handle.
  void CopyPalette(const ImagePalette& palette) { palette_ = palette; }

 private:
  enum class TableSource { Triples, Rgbx, Quads };
  static void FillTable(BitmapInfoBlock& block, TableSource source, const void* table, int count);
  // Makes the picture from the block and takes it (flag bit 0, bits, stride).
  bool AdoptNewSection(const BitmapInfoBlock& block);
  void DropSection();
  void AssignFrom(const std::uint8_t* bits, TableSource source, const void* table, int count,
                  std::uint32_t width, std::uint32_t stride, std::uint32_t height, std::int32_t userX,
                  std::int32_t userY);

  std::shared_ptr<Bitmap> bitmap_;
  // Keeps the pixels of the last MakeBitmap* result alive while bits point
  // into it.
  std::shared_ptr<Bitmap> lent_;
  ImagePalette palette_;
};

}  // namespace mascot
