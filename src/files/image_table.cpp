#include "files/image_table.h"

#include <algorithm>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <limits>

#include "errors/system_error.h"
#include "files/le_bytes.h"
#include "imaging/byte_order.h"
#include "imaging/picture_budget.h"
#include "model/transparent_region.h"

namespace mascot {
namespace {

constexpr std::uint64_t kMaxTableSize = std::numeric_limits<std::uint32_t>::max();
constexpr std::uint32_t kRectSize = 16;
constexpr std::uint32_t kColourSize = 4;

// ---- writing ----

// What one cache entry becomes; a missing bitmap is a record of zeros.
struct PictureLayout {
  ImageRecordHeader header;
  const Bitmap* bitmap = nullptr;
  const std::vector<Rect>* rects = nullptr;

  std::uint64_t pixelBytes() const { return std::uint64_t{header.stride} * header.height; }
  std::uint64_t packedSize() const {
    return kImageRecordHeaderSize + std::uint64_t{kColourSize} * header.colourCount +
           std::uint64_t{kRectSize} * header.rectCount + pixelBytes();
  }
  // Room is made for a full colour table of the indexed depths.
  std::uint64_t reservedSize() const {
    const std::uint64_t tableRoom = header.bitsPerPixel <= 8 ? (std::uint64_t{4} << header.bitsPerPixel) : 0;
    return kImageRecordHeaderSize + tableRoom + std::uint64_t{kRectSize} * header.rectCount + pixelBytes();
  }
};

PictureLayout LayoutOf(const FrameImage& image) {
  PictureLayout layout;
  layout.bitmap = image.bitmap.get();
  layout.rects = &image.rects;
  ImageRecordHeader& h = layout.header;
  h.rectCount = static_cast<std::uint32_t>(image.rects.size());
  if (layout.bitmap == nullptr) return layout;
  const Bitmap& b = *layout.bitmap;
  h.width = static_cast<std::uint32_t>(b.width());
  h.height = static_cast<std::uint32_t>(b.height());
  h.bitsPerPixel = static_cast<std::uint32_t>(b.bitsPerPixel());
  h.stride = Bitmap::StrideFor(b.width(), b.bitsPerPixel());
  if (h.bitsPerPixel <= 8)
    h.colourCount = static_cast<std::uint32_t>(
        std::min<std::size_t>(b.colourTable().size(), std::size_t{1} << h.bitsPerPixel));
  return layout;
}

bool HasPlainMasks(const Bitmap& b) {
  if (b.bitsPerPixel() == 16) return b.redMask() == 0x7C00 && b.greenMask() == 0x03E0 && b.blueMask() == 0x001F;
  if (b.bitsPerPixel() == 32) return b.redMask() == 0xFF0000 && b.greenMask() == 0x00FF00 && b.blueMask() == 0x0000FF;
  return true;
}

// A row of a 16- or 32-bit picture with other channel masks, in the plain layout.
void StorePlainRow(const Bitmap& b, int y, std::uint8_t* out) {
  for (int x = 0; x < b.width(); ++x) {
    const std::uint32_t c = b.pixelColour(x, y);
    const std::uint32_t red = c & 0xFF, green = (c >> 8) & 0xFF, blue = (c >> 16) & 0xFF;
    if (b.bitsPerPixel() == 16) {
      StoreLe16(out + 2 * x, static_cast<std::uint16_t>((red >> 3) << 10 | (green >> 3) << 5 | blue >> 3));
    } else {
      StoreLe32(out + 4 * x, red << 16 | green << 8 | blue);
    }
  }
}

// The bits past the last pixel of a row are cleared.
void ClearRowPadding(std::uint8_t* row, std::uint32_t width, std::uint32_t bitsPerPixel, std::uint32_t stride) {
  const std::uint64_t usedBits = std::uint64_t{width} * bitsPerPixel;
  const std::uint32_t fullBytes = static_cast<std::uint32_t>(usedBits / 8);
  const unsigned spareBits = static_cast<unsigned>(usedBits % 8);
  std::uint32_t clearFrom = fullBytes;
  if (spareBits != 0) {
    row[fullBytes] &= static_cast<std::uint8_t>(0xFF << (8 - spareBits));
    ++clearFrom;
  }
  std::memset(row + clearFrom, 0, stride - clearFrom);
}

std::uint8_t* StoreRecord(const PictureLayout& layout, std::uint8_t* out) {
  const ImageRecordHeader& h = layout.header;
  const std::uint32_t words[6] = {h.width, h.stride, h.height, h.bitsPerPixel, h.colourCount, h.rectCount};
  for (int i = 0; i < 6; ++i) StoreLe32(out + 4 * i, words[i]);
  out += kImageRecordHeaderSize;
  for (std::uint32_t i = 0; i < h.colourCount; ++i, out += kColourSize) {
    const RgbQuad& q = layout.bitmap->colourTable()[i];
    out[0] = q.blue, out[1] = q.green, out[2] = q.red, out[3] = 0;
  }
  for (const Rect& r : *layout.rects) {
    StoreLe32(out + 0, static_cast<std::uint32_t>(r.left));
    StoreLe32(out + 4, static_cast<std::uint32_t>(r.top));
    StoreLe32(out + 8, static_cast<std::uint32_t>(r.right));
    StoreLe32(out + 12, static_cast<std::uint32_t>(r.bottom));
    out += kRectSize;
  }
  if (layout.bitmap == nullptr) return out;
  const Bitmap& b = *layout.bitmap;
  const bool plain = HasPlainMasks(b);
  for (int y = 0; y < b.height(); ++y, out += h.stride) {
    if (plain)
      std::memcpy(out, b.row(y), h.stride);
    else
      StorePlainRow(b, y, out);
    ClearRowPadding(out, h.width, h.bitsPerPixel, h.stride);
  }
  return out;
}

// ---- reading ----

bool Fail(ErrorCode code) {
  SetLastSystemError(code);
  return false;
}

ImageRecordHeader DecodeRecordHeader(const std::uint8_t* p) {
  return {ReadLe32(p), ReadLe32(p + 4), ReadLe32(p + 8), ReadLe32(p + 12), ReadLe32(p + 16), ReadLe32(p + 20)};
}

bool SupportedDepth(std::uint32_t bpp) {
  return bpp == 1 || bpp == 4 || bpp == 8 || bpp == 16 || bpp == 24 || bpp == 32;
}

// What a bitmap could be made of: a sensible size and depth, a colour table
// no larger than the depth's, and rows at least as long as the pixels need.
bool UsableHeader(const ImageRecordHeader& h) {
  constexpr std::uint32_t kMaxSide = Bitmap::kMaxSide;
  if (h.width < 1 || h.width > kMaxSide || h.height < 1 || h.height > kMaxSide) return false;
  if (!SupportedDepth(h.bitsPerPixel)) return false;
  const std::uint32_t maxColours = h.bitsPerPixel <= 8 ? (1u << h.bitsPerPixel) : 256;
  if (h.colourCount > maxColours) return false;
  return h.stride >= Bitmap::StrideFor(static_cast<int>(h.width), static_cast<int>(h.bitsPerPixel));
}

Rect ClipRect(Rect r, int width, int height) {
  r.left = std::clamp(r.left, 0, width);
  r.right = std::clamp(r.right, 0, width);
  r.top = std::clamp(r.top, 0, height);
  r.bottom = std::clamp(r.bottom, 0, height);
  return r;
}

// The picture of a record whose parts the caller has found inside the table.
FrameImage BuildPicture(const ImageRecordHeader& h, const std::uint8_t* colours, const std::uint8_t* rects,
                        const std::uint8_t* pixels) {
  const int width = static_cast<int>(h.width), height = static_cast<int>(h.height);
  auto bitmap = Bitmap::Create(width, height, static_cast<int>(h.bitsPerPixel));
  if (h.bitsPerPixel <= 8) {
    auto& table = bitmap->colourTable();
    for (std::uint32_t i = 0; i < h.colourCount; ++i, colours += kColourSize)
      table.push_back({colours[0], colours[1], colours[2], colours[3]});
  }
  for (int y = 0; y < height; ++y) std::memcpy(bitmap->row(y), pixels + std::uint64_t{h.stride} * y, bitmap->stride());

  FrameImage image;
  for (std::uint32_t i = 0; i < h.rectCount; ++i, rects += kRectSize) {
    const Rect r = ClipRect({ReadLeI32(rects), ReadLeI32(rects + 4), ReadLeI32(rects + 8), ReadLeI32(rects + 12)},
                            width, height);
    if (r.left < r.right && r.top < r.bottom) image.rects.push_back(r);
  }
  image.region = BuildTransparentRegion(bitmap.get(), image.rects, false);
  image.width = width;
  image.height = height;
  image.bitmap = std::move(bitmap);
  return image;
}

}  // namespace

std::optional<LargeBytes> BuildImageTable(const std::vector<FrameImage>& images) {
  std::vector<PictureLayout> layouts;
  layouts.reserve(images.size());
  std::uint64_t size = 4 + std::uint64_t{4} * images.size();
  for (const FrameImage& image : images) {
    layouts.push_back(LayoutOf(image));
    size += layouts.back().reservedSize();
  }
  if (size > kMaxTableSize) {
    SetLastErrorFromErrno(EFBIG);
    return std::nullopt;
  }

  LargeBytes table(static_cast<std::size_t>(size), 0);
  StoreLe32(table.data(), static_cast<std::uint32_t>(images.size()));
  std::uint8_t* next = table.data() + 4 + 4 * images.size();
  for (std::size_t i = 0; i < layouts.size(); ++i) {
    StoreLe32(table.data() + 4 + 4 * i, static_cast<std::uint32_t>(next - table.data()));
    next = StoreRecord(layouts[i], next);
  }
  return table;
}

bool ReadImageTable(std::span<const std::uint8_t> table, std::vector<FrameImage>& images) {
  if (table.size() < 4) return Fail(kErrUnexpectedEnd);
  const std::uint32_t count = ReadLe32(table.data());
  const std::uint64_t offsetsEnd = 4 + std::uint64_t{4} * count;
  if (offsetsEnd > table.size()) return Fail(kErrUnexpectedEnd);

  // Records are packed without overlap, so together they cannot need more
  // bytes than follow the offsets; this caps what hostile offsets that all
  // point at one large picture could make us allocate.
  std::uint64_t budget = table.size() - offsetsEnd;
  // Bytes do not bound pixels (1-bit rows, regions of stored rectangles).
  PictureBudget pixels;
  std::size_t built = 0;
  bool skipped = false;
  for (std::uint32_t i = 0; i < count; ++i) {
    const std::uint32_t offset = ReadLe32(table.data() + 4 + 4 * std::uint64_t{i});
    if (!RangeInside(offset, kImageRecordHeaderSize, table.size()) || budget < kImageRecordHeaderSize)
      return Fail(kErrUnexpectedEnd);
    budget -= kImageRecordHeaderSize;
    const ImageRecordHeader h = DecodeRecordHeader(table.data() + offset);
    if (!UsableHeader(h)) {
      const ErrorCode code = CrtErrorCode(EINVAL);
      std::fprintf(stderr, "CreateDIBSection(): error = %lu\n", static_cast<unsigned long>(code));
      skipped = true;
      continue;
    }
    const std::uint64_t colourBytes = std::uint64_t{kColourSize} * h.colourCount;
    const std::uint64_t rectBytes = std::uint64_t{kRectSize} * h.rectCount;
    const std::uint64_t pixelBytes = std::uint64_t{h.stride} * h.height;
    const std::uint64_t need = colourBytes + rectBytes + pixelBytes;
    const std::uint64_t start = std::uint64_t{offset} + kImageRecordHeaderSize;
    if (need > budget || start + need > table.size()) return Fail(kErrUnexpectedEnd);
    if (!pixels.take(h.width, h.height)) return Fail(PictureTooLargeError());
    budget -= need;
    const std::uint8_t* colours = table.data() + start;
    images.push_back(BuildPicture(h, colours, colours + colourBytes, colours + colourBytes + rectBytes));
    ++built;
  }
  if (built == 0) return Fail(skipped ? CrtErrorCode(EINVAL) : kErrUnexpectedEnd);
  return true;
}

}  // namespace mascot
