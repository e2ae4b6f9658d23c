#include "imaging/image_buffer.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <utility>

namespace mascot {
namespace {

// The widest row a memory image takes: four bytes per pixel of the widest
// picture.
constexpr std::uint32_t kMaxStride = 4u * Bitmap::kMaxSide;

}  // namespace

ImageBuffer::ImageBuffer(std::uint32_t width, std::uint32_t height) {
  if (width == 0 || height == 0 || width > Bitmap::kMaxSide) return;
  std::uint32_t stride = StrideFor(width);
  if (Allocate(stride, height)) SetLayout(width, stride, height, 0, 0);
}

ImageBuffer::ImageBuffer(std::uint8_t* bits, std::uint32_t width, std::uint32_t stride, std::uint32_t height,
                         std::int32_t userX, std::int32_t userY) {
  if (bits != nullptr) {
    Attach(bits, width, stride, height, userX, userY);
    return;
  }
  if (width == 0 || stride == 0 || height == 0) return;
  if (Allocate(stride, height)) SetLayout(width, stride, height, userX, userY);
}

bool ImageBuffer::Allocate(std::uint32_t stride, std::uint32_t height) {
  if (stride > kMaxStride || height > static_cast<std::uint32_t>(Bitmap::kMaxSide)) return false;
  std::size_t size = static_cast<std::size_t>(stride) * height;
  storage_.reset(new (std::nothrow) std::uint8_t[size]());
  if (!storage_) return false;
  bits_ = storage_.get();
  flags_ |= kOwnsStorage;
  return true;
}

void ImageBuffer::FreeOwnedStorage() {
  if (flags_ & kOwnsStorage) {
    storage_.reset();
    bits_ = nullptr;
    flags_ &= ~kOwnsStorage;
  }
}

void ImageBuffer::SetLayout(std::uint32_t width, std::uint32_t stride, std::uint32_t height, std::int32_t userX,
                            std::int32_t userY) {
  width_ = width;
  stride_ = stride;
  height_ = height;
  userX_ = userX;
  userY_ = userY;
}

int ImageBuffer::GetPixel(std::uint32_t x, std::uint32_t y) {
  const std::uint8_t* bits = LockRead();
  int value = bits ? bits[static_cast<std::size_t>(stride_) * y + x] : -1;
  UnlockRead();
  return value;
}

void ImageBuffer::Attach(std::uint8_t* bits, std::uint32_t width, std::uint32_t stride, std::uint32_t height,
                         std::int32_t userX, std::int32_t userY) {
  FreeOwnedStorage();
  bits_ = bits;
  SetLayout(width, stride, height, userX, userY);
}

int ImageBuffer::SetColoursRgbx(const std::uint8_t*, int count, bool) { return count; }

int ImageBuffer::SetColourTable(const RgbQuad*, int count, bool) { return count; }

void ImageBuffer::Transfer(TransferKind kind, bool rightToLeft, bool bottomToTop, int sourceX, int sourceY,
                           ImageBuffer& destination, int destinationX, int destinationY, int width, int height,
                           int last) {
  const std::uint8_t* source = LockRead();
  std::uint8_t* target = destination.LockWrite();
  if (source && target && width > 0 && height > 0) {
    auto mark = static_cast<std::uint8_t>(last);
    for (int r = 0; r < height; ++r) {
      const std::uint8_t* from = source + static_cast<std::size_t>(stride_) * (sourceY + r) + sourceX;
      int toRow = bottomToTop ? destinationY + height - 1 - r : destinationY + r;
      std::uint8_t* to = target + static_cast<std::size_t>(destination.stride_) * toRow + destinationX;
      for (int i = 0; i < width; ++i) {
        std::uint8_t value = from[rightToLeft ? width - 1 - i : i];
        if (kind == TransferKind::Copy) {
          if (value != 0 || last == 0) to[i] = value;
        } else if (value != 0) {
          to[i] = mark;
        }
      }
    }
  }
  destination.UnlockWrite();
  UnlockRead();
}

void ImageBuffer::Copy(int sx, int sy, ImageBuffer& d, int dx, int dy, int w, int h, int last) {
  Transfer(TransferKind::Copy, false, false, sx, sy, d, dx, dy, w, h, last);
}
void ImageBuffer::CopyMirrored(int sx, int sy, ImageBuffer& d, int dx, int dy, int w, int h, int last) {
  Transfer(TransferKind::Copy, true, false, sx, sy, d, dx, dy, w, h, last);
}
void ImageBuffer::CopyFlipped(int sx, int sy, ImageBuffer& d, int dx, int dy, int w, int h, int last) {
  Transfer(TransferKind::Copy, false, true, sx, sy, d, dx, dy, w, h, last);
}
void ImageBuffer::CopyRotated(int sx, int sy, ImageBuffer& d, int dx, int dy, int w, int h, int last) {
  Transfer(TransferKind::Copy, true, true, sx, sy, d, dx, dy, w, h, last);
}
void ImageBuffer::Stencil(int sx, int sy, ImageBuffer& d, int dx, int dy, int w, int h, int last) {
  Transfer(TransferKind::Stencil, false, false, sx, sy, d, dx, dy, w, h, last);
}
void ImageBuffer::StencilMirrored(int sx, int sy, ImageBuffer& d, int dx, int dy, int w, int h, int last) {
  Transfer(TransferKind::Stencil, true, false, sx, sy, d, dx, dy, w, h, last);
}
void ImageBuffer::StencilFlipped(int sx, int sy, ImageBuffer& d, int dx, int dy, int w, int h, int last) {
  Transfer(TransferKind::Stencil, false, true, sx, sy, d, dx, dy, w, h, last);
}
void ImageBuffer::StencilRotated(int sx, int sy, ImageBuffer& d, int dx, int dy, int w, int h, int last) {
  Transfer(TransferKind::Stencil, true, true, sx, sy, d, dx, dy, w, h, last);
}

void ImageBuffer::MirrorInPlace() {
  std::uint8_t* bits = LockWrite();
  if (bits && width_ > 1 && height_ > 0) {
    for (std::uint32_t y = 0; y < height_; ++y) {
      std::uint8_t* row = bits + static_cast<std::size_t>(stride_) * y;
      std::reverse(row, row + width_);
    }
  }
  UnlockWrite();
}

void ImageBuffer::FlipInPlace() {
  std::uint8_t* bits = LockWrite();
  if (bits && width_ > 0 && height_ > 1) {
    for (std::uint32_t r = 0; r < height_ / 2; ++r)
      std::swap_ranges(bits + static_cast<std::size_t>(stride_) * r, bits + static_cast<std::size_t>(stride_) * r + width_,
                       bits + static_cast<std::size_t>(stride_) * (height_ - 1 - r));
  }
  UnlockWrite();
}

void ImageBuffer::RotateInPlace() {
  std::uint8_t* bits = LockWrite();
  if (bits && width_ > 1 && height_ > 1) {
    for (std::uint32_t r = 0; r < height_ / 2; ++r) {
      std::uint8_t* top = bits + static_cast<std::size_t>(stride_) * r;
      std::uint8_t* bottom = bits + static_cast<std::size_t>(stride_) * (height_ - 1 - r);
      for (std::uint32_t i = 0; i < width_; ++i) std::swap(top[i], bottom[width_ - 1 - i]);
    }
    // The middle row of an odd height turns too, so the whole picture is
    // rotated by half a turn.
    if (height_ % 2 == 1) std::reverse(bits + static_cast<std::size_t>(stride_) * (height_ / 2),
                                       bits + static_cast<std::size_t>(stride_) * (height_ / 2) + width_);
  }
  UnlockWrite();
}

void ImageBuffer::FillRect(int left, int top, int right, int bottom, std::uint8_t colour) {
  if (left > right) std::swap(left, right);
  if (top > bottom) std::swap(top, bottom);
  std::uint8_t* bits = LockWrite();
  if (bits) {
    for (int y = top; y < bottom; ++y)
      std::memset(bits + static_cast<std::size_t>(stride_) * y + left, colour, static_cast<std::size_t>(right - left));
  }
  UnlockWrite();
}

}  // namespace mascot
