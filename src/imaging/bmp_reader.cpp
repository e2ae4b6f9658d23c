#include "imaging/bmp_reader.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "errors/error_codes.h"
#include "errors/system_error.h"
#include "imaging/byte_order.h"
#include "imaging/picture_budget.h"
#include "storage/file_bytes.h"

namespace mascot {
namespace {

constexpr std::size_t kFileHeaderSize = 14;
constexpr std::uint32_t kCoreHeaderSize = 12;
constexpr std::uint32_t kInfoHeaderSize = 40;
constexpr std::uint32_t kMaskedHeaderSize = 52;  // the first header that holds the masks

enum Compression : std::uint32_t { kRgb = 0, kRle8 = 1, kRle4 = 2, kBitfields = 3 };

// RLE pictures can describe large blank areas in a few bytes; beyond this many
// pixels the data must hold at least one byte per kRlePixelsPerByte pixels.
constexpr std::uint64_t kRleFreePixels = 1u << 20;
constexpr std::uint64_t kRlePixelsPerByte = 1024;

struct DibHeader {
  std::uint32_t size = 0;
  std::int64_t width = 0;
  std::int64_t height = 0;  // negative: rows top-down
  std::uint16_t planes = 0;
  std::uint16_t bitCount = 0;
  std::uint32_t compression = kRgb;
  std::uint32_t coloursUsed = 0;
  std::uint32_t masks[3] = {0, 0, 0};
  std::size_t tableOffset = 0;  // from the start of the header
  std::size_t tableEntrySize = 4;
};

std::shared_ptr<Bitmap> Fail(ErrorCode code) {
  SetLastSystemError(code);
  return nullptr;
}
std::shared_ptr<Bitmap> Malformed() { return Fail(CrtErrorCode(EINVAL)); }

bool KnownHeaderSize(std::uint32_t size) {
  return size == kCoreHeaderSize || size == kInfoHeaderSize || size == kMaskedHeaderSize || size == 56 ||
         size == 108 || size == 124;
}

std::optional<DibHeader> DecodeHeader(std::span<const std::uint8_t> dib) {
  if (dib.size() < 4) return std::nullopt;
  DibHeader h;
  h.size = ReadLe32(dib.data());
  if (!KnownHeaderSize(h.size) || dib.size() < h.size) return std::nullopt;
  const std::uint8_t* p = dib.data();
  if (h.size == kCoreHeaderSize) {
    h.width = ReadLe16(p + 4);
    h.height = ReadLe16(p + 6);
    h.planes = ReadLe16(p + 8);
    h.bitCount = ReadLe16(p + 10);
    h.tableOffset = kCoreHeaderSize;
    h.tableEntrySize = 3;
    return h;
  }
  h.width = ReadLeI32(p + 4);
  h.height = ReadLeI32(p + 8);
  h.planes = ReadLe16(p + 12);
  h.bitCount = ReadLe16(p + 14);
  h.compression = ReadLe32(p + 16);
  h.coloursUsed = ReadLe32(p + 32);
  h.tableOffset = h.size;
  if (h.compression == kBitfields) {
    // After a 40-byte header the three masks follow it; later headers hold them.
    if (h.size == kInfoHeaderSize) {
      if (dib.size() < kMaskedHeaderSize) return std::nullopt;
      h.tableOffset = kMaskedHeaderSize;
    }
    for (int i = 0; i < 3; ++i) h.masks[i] = ReadLe32(p + kInfoHeaderSize + 4 * i);
  }
  return h;
}

bool ValidLayout(const DibHeader& h) {
  if (h.planes != 1) return false;
  if (h.width < 1 || h.width > Bitmap::kMaxSide || h.height == 0 || h.height > Bitmap::kMaxSide ||
      h.height < -Bitmap::kMaxSide)
    return false;
  if (h.size == kCoreHeaderSize)
    return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 24;
  switch (h.compression) {
    case kRgb:
      return h.bitCount == 1 || h.bitCount == 4 || h.bitCount == 8 || h.bitCount == 16 || h.bitCount == 24 ||
             h.bitCount == 32;
    case kRle8: return h.bitCount == 8 && h.height > 0;
    case kRle4: return h.bitCount == 4 && h.height > 0;
    case kBitfields:
      return (h.bitCount == 16 || h.bitCount == 32) && (h.masks[0] | h.masks[1] | h.masks[2]) != 0;
    default: return false;
  }
}

// The colour table: biClrUsed entries (all 2^bpp when 0), no more than the
// depth allows and no more than lie before the pixels.
void ReadColourTable(std::span<const std::uint8_t> dib, const DibHeader& h, std::size_t pixelOffset,
                     Bitmap& bitmap) {
  if (h.bitCount > 8) return;
  std::size_t entries = 1u << h.bitCount;
  if (h.coloursUsed != 0) entries = std::min<std::size_t>(entries, h.coloursUsed);
  std::size_t room = pixelOffset > h.tableOffset ? (pixelOffset - h.tableOffset) / h.tableEntrySize : 0;
  entries = std::min(entries, room);
  std::vector<RgbQuad>& table = bitmap.colourTable();
  table.resize(entries);
  for (std::size_t i = 0; i < entries; ++i) {
    const std::uint8_t* e = dib.data() + h.tableOffset + i * h.tableEntrySize;
    table[i] = {e[0], e[1], e[2], 0};
  }
}

std::shared_ptr<Bitmap> ReadUncompressed(std::span<const std::uint8_t> pixels, const DibHeader& h,
                                         std::shared_ptr<Bitmap> (*make)(const DibHeader&)) {
  const std::uint64_t height = static_cast<std::uint64_t>(h.height < 0 ? -h.height : h.height);
  const std::uint32_t stride = Bitmap::StrideFor(static_cast<int>(h.width), h.bitCount);
  const std::uint64_t rowBytes = (static_cast<std::uint64_t>(h.width) * h.bitCount + 7) / 8;
  // The last row may come without its padding.
  if ((height - 1) * stride + rowBytes > pixels.size()) return Fail(kErrUnexpectedEnd);
  std::shared_ptr<Bitmap> bitmap = make(h);
  if (!bitmap) return Malformed();
  for (std::uint64_t y = 0; y < height; ++y) {
    std::uint64_t sourceRow = h.height > 0 ? height - 1 - y : y;
    std::uint64_t offset = sourceRow * stride;
    std::size_t count = static_cast<std::size_t>(std::min<std::uint64_t>(stride, pixels.size() - offset));
    std::memcpy(bitmap->row(static_cast<int>(y)), pixels.data() + offset, count);
  }
  return bitmap;
}

// Writes RLE output into a bottom-up picture, dropping what falls outside.
class RleCanvas {
 public:
  RleCanvas(Bitmap& bitmap, bool nibbles) : bitmap_(bitmap), nibbles_(nibbles) {}

  void put(std::uint64_t x, std::uint64_t y, std::uint8_t value) {
    if (x >= static_cast<std::uint64_t>(bitmap_.width()) || y >= static_cast<std::uint64_t>(bitmap_.height()))
      return;
    std::uint8_t* row = bitmap_.row(bitmap_.height() - 1 - static_cast<int>(y));
    if (!nibbles_) {
      row[x] = value;
      return;
    }
    std::uint8_t& byte = row[x >> 1];
    byte = (x & 1) ? static_cast<std::uint8_t>((byte & 0xF0) | (value & 0x0F))
                   : static_cast<std::uint8_t>((byte & 0x0F) | (value << 4));
  }

 private:
  Bitmap& bitmap_;
  bool nibbles_;
};

// Decodes BI_RLE8 / BI_RLE4 data; the data may end early, leaving the rest
// at index 0.
void DecodeRle(std::span<const std::uint8_t> data, bool rle4, Bitmap& bitmap) {
  RleCanvas canvas(bitmap, rle4);
  const auto height = static_cast<std::uint64_t>(bitmap.height());
  std::uint64_t x = 0;
  std::uint64_t y = 0;
  std::size_t pos = 0;
  auto pixelOf = [rle4](std::uint8_t byte, std::uint64_t i) -> std::uint8_t {
    if (!rle4) return byte;
    return (i & 1) ? (byte & 0x0F) : static_cast<std::uint8_t>(byte >> 4);
  };
  while (y < height && pos + 2 <= data.size()) {
    std::uint8_t count = data[pos];
    std::uint8_t value = data[pos + 1];
    pos += 2;
    if (count > 0) {
      for (std::uint64_t i = 0; i < count; ++i) canvas.put(x + i, y, pixelOf(value, i));
      x += count;
      continue;
    }
    if (value == 0) {  // end of line
      x = 0;
      ++y;
    } else if (value == 1) {  // end of bitmap
      return;
    } else if (value == 2) {  // delta
      if (pos + 2 > data.size()) return;
      x += data[pos];
      y += data[pos + 1];
      pos += 2;
    } else {  // absolute run, padded to a 16-bit boundary
      std::size_t bytes = rle4 ? (value + 1u) / 2u : value;
      if (pos + bytes > data.size()) return;
      for (std::uint64_t i = 0; i < value; ++i)
        canvas.put(x + i, y, pixelOf(data[pos + (rle4 ? i / 2 : i)], i));
      x += value;
      pos += bytes + (bytes & 1);
    }
  }
}

std::shared_ptr<Bitmap> ReadRle(std::span<const std::uint8_t> pixels, const DibHeader& h,
                                std::shared_ptr<Bitmap> (*make)(const DibHeader&)) {
  std::uint64_t area = static_cast<std::uint64_t>(h.width) * static_cast<std::uint64_t>(h.height);
  if (area > kRleFreePixels && area > pixels.size() * kRlePixelsPerByte) return Fail(kErrUnexpectedEnd);
  std::shared_ptr<Bitmap> bitmap = make(h);
  if (!bitmap) return Malformed();
  DecodeRle(pixels, h.compression == kRle4, *bitmap);
  return bitmap;
}

std::shared_ptr<Bitmap> MakeBitmap(const DibHeader& h) {
  int height = static_cast<int>(h.height < 0 ? -h.height : h.height);
  std::shared_ptr<Bitmap> bitmap = Bitmap::Create(static_cast<int>(h.width), height, h.bitCount);
  if (bitmap && h.compression == kBitfields) bitmap->setMasks(h.masks[0], h.masks[1], h.masks[2]);
  return bitmap;
}

// `pixelOffset` is counted from the start of the header; an offset inside
// the header (0 for resources) means the pixels follow the colour table.
std::shared_ptr<Bitmap> ReadDib(std::span<const std::uint8_t> dib, std::size_t pixelOffset) {
  std::optional<DibHeader> header = DecodeHeader(dib);
  if (!header) return dib.size() < 4 ? Fail(kErrUnexpectedEnd) : Malformed();
  if (!ValidLayout(*header)) return Malformed();
  const auto rows = static_cast<std::uint32_t>(header->height < 0 ? -header->height : header->height);
  if (!FitsPictureBudget(static_cast<std::uint32_t>(header->width), rows)) return Fail(PictureTooLargeError());
  if (pixelOffset < header->tableOffset) {
    std::size_t entries = 0;
    if (header->bitCount <= 8)
      entries = header->coloursUsed != 0 ? std::min<std::size_t>(header->coloursUsed, 1u << header->bitCount)
                                         : (1u << header->bitCount);
    pixelOffset = header->tableOffset + entries * header->tableEntrySize;
  }
  if (pixelOffset > dib.size()) return Fail(kErrUnexpectedEnd);
  std::span<const std::uint8_t> pixels = dib.subspan(pixelOffset);
  bool rle = header->compression == kRle8 || header->compression == kRle4;
  std::shared_ptr<Bitmap> bitmap = rle ? ReadRle(pixels, *header, MakeBitmap) : ReadUncompressed(pixels, *header, MakeBitmap);
  if (bitmap) ReadColourTable(dib, *header, pixelOffset, *bitmap);
  return bitmap;
}

}  // namespace

std::shared_ptr<Bitmap> ReadPackedDib(std::span<const std::uint8_t> dib) { return ReadDib(dib, 0); }

std::shared_ptr<Bitmap> ReadBmp(std::span<const std::uint8_t> file) {
  if (file.size() < kFileHeaderSize + 4) return Fail(kErrUnexpectedEnd);
  if (file[0] != 'B' || file[1] != 'M') return Malformed();
  std::uint32_t offBits = ReadLe32(file.data() + 10);
  std::span<const std::uint8_t> dib = file.subspan(kFileHeaderSize);
  std::size_t pixelOffset = offBits >= kFileHeaderSize ? offBits - kFileHeaderSize : 0;
  return ReadDib(dib, pixelOffset);
}

std::shared_ptr<Bitmap> ReadBmpFile(std::string_view fileName) {
  std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(fileName);
  if (!bytes) return nullptr;
  return ReadBmp(*bytes);
}

}  // namespace mascot
