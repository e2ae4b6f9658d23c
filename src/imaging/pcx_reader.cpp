#include "imaging/pcx_reader.h"

#include <algorithm>
#include <array>
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

constexpr std::uint8_t kManufacturer = 10;
constexpr std::uint8_t kVersionNoPalette = 3;
constexpr std::uint8_t kVersionWithPalette = 5;
constexpr std::uint8_t kEndPaletteMark = 12;
constexpr std::size_t kEndPaletteSize = 768;
constexpr std::size_t kMinEndPaletteFile = kPcxHeaderSize + kEndPaletteSize + 1;

// The standard 16 display colours, for files that carry no palette.
constexpr std::uint8_t kDefaultColours[48] = {
    0x00, 0x00, 0x00, 0x00, 0x00, 0xAA, 0x00, 0xAA, 0x00, 0x00, 0xAA, 0xAA, 0xAA, 0x00, 0x00, 0xAA,
    0x00, 0xAA, 0xAA, 0x55, 0x00, 0xAA, 0xAA, 0xAA, 0x55, 0x55, 0x55, 0x55, 0x55, 0xFF, 0x55, 0xFF,
    0x55, 0x55, 0xFF, 0xFF, 0xFF, 0x55, 0x55, 0xFF, 0x55, 0xFF, 0xFF, 0xFF, 0x55, 0xFF, 0xFF, 0xFF};

// The plane layouts the decoder knows: bits per plane and planes.
bool SupportedLayout(int bitsPerPlane, int planes) {
  if (bitsPerPlane == 1) return planes >= 1 && planes <= 4;
  if (bitsPerPlane == 2 || bitsPerPlane == 4) return planes == 1;
  if (bitsPerPlane == 8) return planes == 1 || planes == 3;
  return false;
}

struct DecodePlan {
  int bpp = 0;
  std::size_t lineLength = 0;
  int bitCount = 8;
  std::size_t dataEnd = 0;  // offset in the file where the encoded rows end
  std::array<std::uint8_t, 256 * 3> triples{};  // entries past the source stay black
};

void ChoosePalette(const PcxHeader& header, std::span<const std::uint8_t> file, DecodePlan& plan) {
  plan.dataEnd = file.size();
  if (plan.bpp == 8 && header.version >= kVersionWithPalette && file.size() >= kMinEndPaletteFile) {
    std::size_t mark = file.size() - kEndPaletteSize - 1;
    if (file[mark] == kEndPaletteMark) {
      std::memcpy(plan.triples.data(), file.data() + mark + 1, kEndPaletteSize);
      plan.dataEnd = mark;
      return;
    }
    std::memcpy(plan.triples.data(), header.palette, sizeof header.palette);
    return;
  }
  const std::uint8_t* source = header.version == kVersionNoPalette ? kDefaultColours : header.palette;
  std::memcpy(plan.triples.data(), source, sizeof header.palette);
}

void ChooseLineLength(const PcxHeader& header, DecodePlan& plan) {
  if (plan.bpp >= 2 && plan.bpp <= 4) {
    bool packed = header.bitsPerPlane == 4 && header.planes == 1;
    plan.lineLength = packed ? header.bytesPerLine : static_cast<std::size_t>(header.bytesPerLine) * plan.bpp;
  } else if (plan.bpp == 24) {
    plan.lineLength = static_cast<std::size_t>(header.bytesPerLine) * 3;
    plan.bitCount = 24;
  } else {
    plan.lineLength = header.bytesPerLine;
  }
}

bool Fail(ErrorCode code) {
  SetLastSystemError(code);
  return false;
}
bool Malformed() { return Fail(CrtErrorCode(EINVAL)); }

// Width, height, line length and the least encoded size of the rows, checked
// before the image is made.
bool Plausible(const PcxHeader& header, const DecodePlan& plan) {
  int width = header.width();
  int height = header.height();
  if (width < 1 || height < 1 || width > Bitmap::kMaxSide || height > Bitmap::kMaxSide) return Malformed();
  std::uint64_t bitsPerRow = static_cast<std::uint64_t>(width) * header.bitsPerPlane;
  if (header.bytesPerLine == 0 || header.bytesPerLine < (bitsPerRow + 7) / 8) return Malformed();
  // A run of two bytes yields at most 63 bytes.
  std::uint64_t leastPerLine = (2 * static_cast<std::uint64_t>(plan.lineLength) + 62) / 63;
  if (leastPerLine * static_cast<std::uint64_t>(height) > plan.dataEnd - kPcxHeaderSize)
    return Fail(kErrUnexpectedEnd);
  if (!FitsPictureBudget(static_cast<std::uint32_t>(width), static_cast<std::uint32_t>(height)))
    return Fail(PictureTooLargeError());
  return true;
}

void SetImagePalette(ImageFile& imageFile, const DecodePlan& plan) {
  std::array<RgbQuad, 256> quads{};
  int count = 1 << plan.bpp;
  for (int i = 0; i < count; ++i)
    quads[i] = {plan.triples[3 * i + 2], plan.triples[3 * i + 1], plan.triples[3 * i], 0};
  imageFile.SetPalette(quads.data(), count);
}

// Turns one decoded line into a row of pixels; returns how many bytes of the
// row it set. `padding` is taken from the first row.
std::size_t ExpandLine(const PcxHeader& header, const DecodePlan& plan, const std::uint8_t* line,
                       std::uint8_t* row, std::uint32_t stride) {
  const auto width = static_cast<std::uint32_t>(header.width());
  const std::size_t bpl = header.bytesPerLine;
  if (plan.bpp == 1) {
    std::size_t count = std::min<std::size_t>(plan.lineLength * 8, stride);
    for (std::size_t x = 0; x < count; ++x) row[x] = (line[x >> 3] >> (7 - (x & 7))) & 1;
    return count;
  }
  if (plan.bpp == 4 && header.planes == 1) {
    std::size_t count = std::min<std::size_t>(plan.lineLength * 2, stride);
    for (std::size_t x = 0; x < count; ++x) row[x] = (x & 1) ? (line[x >> 1] & 0x0F) : (line[x >> 1] >> 4);
    return count;
  }
  if (plan.bpp >= 2 && plan.bpp <= 4) {
    for (std::uint32_t x = 0; x < width; ++x) {
      std::size_t j = x >> 3;
      std::uint8_t mask = static_cast<std::uint8_t>(0x80 >> (x & 7));
      std::uint8_t pixel = 0;
      for (int p = 0; p < plan.bpp; ++p)
        if (line[p * bpl + j] & mask) pixel |= static_cast<std::uint8_t>(1 << p);
      row[x] = pixel;
    }
    return width;
  }
  if (plan.bpp == 24) {
    for (std::uint32_t x = 0; x < width; ++x) {
      row[3 * x] = line[2 * bpl + x];
      row[3 * x + 1] = line[bpl + x];
      row[3 * x + 2] = line[x];
    }
    return static_cast<std::size_t>(width) * 3;
  }
  std::size_t count = std::min<std::size_t>(plan.lineLength, stride);
  std::memcpy(row, line, count);
  return count;
}

void FillPadding(std::uint8_t* row, std::size_t from, std::uint32_t stride, const std::uint8_t* pixel,
                 std::size_t pixelSize) {
  for (std::size_t x = from; x + pixelSize <= stride; x += pixelSize) std::memcpy(row + x, pixel, pixelSize);
}

}  // namespace

int PcxHeader::bitsPerPixel() const {
  if (bitsPerPlane == 8 && planes == 3) return 24;
  if (bitsPerPlane == 1) return planes;
  return bitsPerPlane;
}

PcxHeader DecodePcxHeader(const std::uint8_t* bytes) {
  PcxHeader h;
  h.manufacturer = bytes[0];
  h.version = bytes[1];
  h.encoding = bytes[2];
  h.bitsPerPlane = bytes[3];
  h.xmin = ReadLe16(bytes + 4);
  h.ymin = ReadLe16(bytes + 6);
  h.xmax = ReadLe16(bytes + 8);
  h.ymax = ReadLe16(bytes + 10);
  std::memcpy(h.palette, bytes + 16, sizeof h.palette);
  h.planes = bytes[65];
  h.bytesPerLine = ReadLe16(bytes + 66);
  return h;
}

bool DecodePcxLine(std::span<const std::uint8_t> data, std::size_t& position, std::uint8_t* out,
                   std::size_t count) {
  std::size_t produced = 0;
  while (produced < count && position < data.size()) {
    std::uint8_t b = data[position++];
    if (b < 0xC0) {
      out[produced++] = b;
      continue;
    }
    if (position >= data.size()) return false;
    std::uint8_t value = data[position++];
    std::size_t run = b & 0x3F;
    if (run > count - produced) return false;
    std::memset(out + produced, value, run);
    produced += run;
  }
  return produced == count;
}

bool ReadPcxBytes(std::span<const std::uint8_t> file, ImageFile& imageFile) {
  if (file.size() < kPcxHeaderSize) return Fail(kErrUnexpectedEnd);
  if (file[0] != kManufacturer) return Malformed();
  PcxHeader header = DecodePcxHeader(file.data());
  if (header.planes == 1 && header.bitsPerPlane > 1 && header.version >= kVersionWithPalette &&
      file.size() < kMinEndPaletteFile)
    return Fail(kErrUnexpectedEnd);
  if (file.size() == kPcxHeaderSize) return Fail(kErrUnexpectedEnd);
  if (!SupportedLayout(header.bitsPerPlane, header.planes)) return Malformed();

  DecodePlan plan;
  plan.bpp = header.bitsPerPixel();
  imageFile.setBitsPerPixel(static_cast<std::uint32_t>(plan.bpp));
  ChoosePalette(header, file, plan);
  ChooseLineLength(header, plan);
  if (!Plausible(header, plan)) return false;

  const auto width = static_cast<std::uint32_t>(header.width());
  const auto height = static_cast<std::uint32_t>(header.height());
  imageFile.NewImage(width, height, plan.bitCount);
  ImageBuffer* image = imageFile.image();
  if (!image || !image->IsValid()) return Fail(CrtErrorCode(ENOMEM));
  if (plan.bpp <= 8) SetImagePalette(imageFile, plan);

  std::span<const std::uint8_t> data = file.subspan(0, plan.dataEnd);
  std::size_t position = kPcxHeaderSize;
  std::vector<std::uint8_t> line(plan.lineLength);
  const std::size_t pixelSize = plan.bpp == 24 ? 3 : 1;
  std::uint8_t padding[3] = {0, 0, 0};
  const std::uint32_t stride = image->stride();
  std::uint8_t* bits = image->LockWrite();
  bool ok = true;
  for (std::uint32_t y = 0; ok && y < height; ++y) {
    ok = DecodePcxLine(data, position, line.data(), line.size());
    if (!ok) break;
    std::uint8_t* row = bits + static_cast<std::size_t>(stride) * y;
    std::size_t produced = ExpandLine(header, plan, line.data(), row, stride);
    if (y == 0) std::memcpy(padding, row, pixelSize);
    FillPadding(row, produced, stride, padding, pixelSize);
  }
  image->UnlockWrite();
  if (plan.bpp <= 4) imageFile.setBitsPerPixel(8);
  // A line cut short by the end of the data, or a run that passes its end.
  if (!ok) return position >= data.size() ? Fail(kErrUnexpectedEnd) : Malformed();
  return true;
}

bool ReadPcx(std::string_view fileName, ImageFile& imageFile) {
  std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(fileName);
  return bytes && ReadPcxBytes(*bytes, imageFile);
}

}  // namespace mascot
