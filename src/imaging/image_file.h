#pragma once
#include <array>
#include <cstdint>
#include <memory>

#include "imaging/bitmap.h"
#include "imaging/image_buffer.h"
#include "imaging/image_palette.h"

namespace mascot {

// A description of decoded pixels handed to CreateImage and SetImageData.
struct ImageLayout {
  std::uint32_t width = 0;
  std::uint32_t stride = 0;
  std::uint32_t height = 0;
  std::int32_t userX = 0;
  std::int32_t userY = 0;
  std::array<std::uint8_t, 256 * 3> colours{};  // (red, green, blue) triples
};

// What a reader fills: one image, its depth as the file states it, and the
// file's colours. This variant keeps the image in memory.
class ImageFile {
 public:
  ImageFile() = default;
  virtual ~ImageFile() = default;
  ImageFile(const ImageFile&) = delete;
  ImageFile& operator=(const ImageFile&) = delete;

  virtual std::shared_ptr<ImageBuffer> CreateImage(std::uint8_t* bits, const ImageLayout& layout);
  virtual bool SetImageData(std::uint8_t* bits, const ImageLayout& layout);
  // Replaces the held image with a new blank one of that size.
  virtual void NewImage(std::uint32_t width, std::uint32_t height, int bitCount = 8);
  // Keeps the top-left part of the held image in an image of the new size.
  virtual void Resize(std::uint32_t width, std::uint32_t height);
  // Sets the image's colour table and stores `count` colours in the file
  // palette; returns count, or 0 when there are no colours.
  virtual int SetPalette(const RgbQuad* quads, int count);

  ImageBuffer* image() const { return image_.get(); }
  const std::shared_ptr<ImageBuffer>& sharedImage() const { return image_; }
  std::uint32_t bitsPerPixel() const { return bitsPerPixel_; }
  void setBitsPerPixel(std::uint32_t bpp) { bitsPerPixel_ = bpp; }
  ImagePalette& palette() { return palette_; }
  const ImagePalette& palette() const { return palette_; }

 protected:
  // The new blank image Resize copies into.
  virtual std::shared_ptr<ImageBuffer> MakeResizeTarget(std::uint32_t width, std::uint32_t height);

  std::shared_ptr<ImageBuffer> image_;
  std::uint32_t bitsPerPixel_ = 0;
  ImagePalette palette_;
};

// The same, with images that live in pictures (DibImageBuffer).
class DibImageFile : public ImageFile {
 public:
  std::shared_ptr<ImageBuffer> CreateImage(std::uint8_t* bits, const ImageLayout& layout) override;
  bool SetImageData(std::uint8_t* bits, const ImageLayout& layout) override;
  void NewImage(std::uint32_t width, std::uint32_t height, int bitCount = 8) override;
  void Resize(std::uint32_t width, std::uint32_t height) override;

 protected:
  std::shared_ptr<ImageBuffer> MakeResizeTarget(std::uint32_t width, std::uint32_t height) override;
};

}  // namespace mascot
