#pragma once
#include <cstdint>
#include <memory>

#include "imaging/bitmap.h"
#include "imaging/image_palette.h"

namespace mascot {

// An 8-bit indexed picture, one byte per pixel, top row first. The base class
// lives in plain memory; DibImageBuffer keeps its pixels in a Bitmap that can
// be handed to the rest of the program.
class ImageBuffer {
 public:
  static constexpr std::uint32_t kOwnsStorage = 1;

  static std::uint32_t StrideFor(std::uint32_t width) { return (width + 3) & ~3u; }

  ImageBuffer() = default;
  // Owned zeroed storage, stride = width rounded up to 4; empty when a side
  // is 0 or over Bitmap::kMaxSide.
  ImageBuffer(std::uint32_t width, std::uint32_t height);
  // Wraps `bits` when given; otherwise allocates stride * height zeroed
  // bytes and owns them.
  ImageBuffer(std::uint8_t* bits, std::uint32_t width, std::uint32_t stride, std::uint32_t height,
              std::int32_t userX = 0, std::int32_t userY = 0);
  virtual ~ImageBuffer() = default;
  ImageBuffer(const ImageBuffer&) = delete;
  ImageBuffer& operator=(const ImageBuffer&) = delete;

  // The byte at (x, y), or -1 for an empty image. The caller keeps (x, y)
  // inside the image.
  virtual int GetPixel(std::uint32_t x, std::uint32_t y);
  // Frees owned storage and adopts the caller's buffer without owning it.
  virtual void Attach(std::uint8_t* bits, std::uint32_t width, std::uint32_t stride, std::uint32_t height,
                      std::int32_t userX, std::int32_t userY);
  virtual std::uint8_t* LockRead() { return bits_; }
  virtual std::uint8_t* LockWrite() { return bits_; }
  virtual void UnlockRead() {}
  virtual void UnlockWrite() {}
  virtual bool IsValid() const { return bits_ != nullptr; }
  // `entries`: 256 colours of (red, green, blue, x).
  virtual int SetColoursRgbx(const std::uint8_t* entries, int count, bool makeHandle);
  virtual int SetColourTable(const RgbQuad* quads, int count, bool makeHandle);
  virtual ImagePalette* GetPalette() { return nullptr; }

  // Block transfers to another image. No clipping: the caller keeps both
  // rectangles inside both images. `last` != 0 makes index 0 transparent
  // for the copies and is the colour the stencils write.
  virtual void Copy(int sourceX, int sourceY, ImageBuffer& destination, int destinationX, int destinationY,
                    int width, int height, int last);
  virtual void CopyMirrored(int sourceX, int sourceY, ImageBuffer& destination, int destinationX,
                            int destinationY, int width, int height, int last);
  virtual void CopyFlipped(int sourceX, int sourceY, ImageBuffer& destination, int destinationX,
                           int destinationY, int width, int height, int last);
  virtual void CopyRotated(int sourceX, int sourceY, ImageBuffer& destination, int destinationX,
                           int destinationY, int width, int height, int last);
  virtual void Stencil(int sourceX, int sourceY, ImageBuffer& destination, int destinationX,
                       int destinationY, int width, int height, int last);
  virtual void StencilMirrored(int sourceX, int sourceY, ImageBuffer& destination, int destinationX,
                               int destinationY, int width, int height, int last);
  virtual void StencilFlipped(int sourceX, int sourceY, ImageBuffer& destination, int destinationX,
                              int destinationY, int width, int height, int last);
  virtual void StencilRotated(int sourceX, int sourceY, ImageBuffer& destination, int destinationX,
                              int destinationY, int width, int height, int last);

  virtual void MirrorInPlace();
  virtual void FlipInPlace();
  virtual void RotateInPlace();

  // Sets the bytes [left, right) of rows [top, bottom) to `colour`; the
  // corners may come in either order.
  void FillRect(int left, int top, int right, int bottom, std::uint8_t colour);

  std::uint32_t width() const { return width_; }
  std::uint32_t stride() const { return stride_; }
  std::uint32_t height() const { return height_; }
  std::int32_t userX() const { return userX_; }
  std::int32_t userY() const { return userY_; }
  std::uint32_t flags() const { return flags_; }
  const std::uint8_t* bits() const { return bits_; }

 protected:
  enum class TransferKind { Copy, Stencil };
  void Transfer(TransferKind kind, bool rightToLeft, bool bottomToTop, int sourceX, int sourceY,
                ImageBuffer& destination, int destinationX, int destinationY, int width, int height,
                int last);
  void FreeOwnedStorage();
  void SetLayout(std::uint32_t width, std::uint32_t stride, std::uint32_t height, std::int32_t userX,
                 std::int32_t userY);

  std::uint32_t width_ = 0;
  std::uint32_t stride_ = 0;
  std::uint32_t height_ = 0;
  std::int32_t userX_ = 0;
  std::int32_t userY_ = 0;
  std::uint32_t flags_ = 0;
  std::uint8_t* bits_ = nullptr;

 private:
  bool Allocate(std::uint32_t stride, std::uint32_t height);
  std::unique_ptr<std::uint8_t[]> storage_;
};

}  // namespace mascot
