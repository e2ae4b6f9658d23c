#include "imaging/dib_image_buffer.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace mascot {
namespace {

std::array<RgbQuad, 256> QuadsFromRgbx(const std::uint8_t* entries) {
  std::array<RgbQuad, 256> quads{};
  for (int i = 0; i < 256; ++i) quads[i] = {entries[4 * i + 2], entries[4 * i + 1], entries[4 * i], 0};
  return quads;
}

}  // namespace

DibImageBuffer::DibImageBuffer(std::uint32_t width, std::uint32_t height, int bitCount) {
  if (width == 0 || height == 0) return;
  BitmapInfoBlock block;
  for (int i = 0; i < 256; ++i) {
    auto v = static_cast<std::uint8_t>(i);
    block.colours[i] = {v, v, v, 0};
  }
  block.describeNewBitmap(width, height, bitCount);
  SetLayout(width, 0, height, 0, 0);
  AdoptNewSection(block);
}

DibImageBuffer::DibImageBuffer(const std::uint8_t* bits, const std::uint8_t* rgbTriples, int count,
                               std::uint32_t width, std::uint32_t stride, std::uint32_t height, std::int32_t userX,
                               std::int32_t userY) {
  if (width == 0 || height == 0) return;
  if (bits == nullptr && rgbTriples != nullptr) {
    BitmapInfoBlock block;
    FillTable(block, TableSource::Triples, rgbTriples, 256);
    block.describeNewBitmap(width, height, 8);
    SetLayout(width, stride, height, userX, userY);
    if (AdoptNewSection(block)) palette_.makeHandle(block.colours.data(), count);
    return;
  }
  AssignRgb(bits, rgbTriples, count, width, stride, height, userX, userY);
}

void DibImageBuffer::FillTable(BitmapInfoBlock& block, TableSource source, const void* table, int count) {
  if (table == nullptr) return;
  count = std::clamp(count, 0, 256);
  const auto* bytes = static_cast<const std::uint8_t*>(table);
  switch (source) {
    case TableSource::Triples:
      for (int i = 0; i < 256; ++i) block.colours[i] = {bytes[3 * i + 2], bytes[3 * i + 1], bytes[3 * i], 0};
      break;
    case TableSource::Rgbx:
      for (int i = 0; i < count; ++i) block.colours[i] = {bytes[4 * i + 2], bytes[4 * i + 1], bytes[4 * i], 0};
      break;
    case TableSource::Quads:
      std::copy_n(static_cast<const RgbQuad*>(table), count, block.colours.begin());
      break;
  }
}

bool DibImageBuffer::AdoptNewSection(const BitmapInfoBlock& block) {
  std::shared_ptr<Bitmap> section = block.createSection();
  if (!section) return false;
  bitmap_ = std::move(section);
  flags_ |= kOwnsStorage;
  bits_ = bitmap_->bits();
  stride_ = bitmap_->stride();
  return true;
}

void DibImageBuffer::DropSection() {
  if (flags_ & kOwnsStorage) {
    bitmap_.reset();
    bits_ = nullptr;
    flags_ &= ~kOwnsStorage;
  }
}

void DibImageBuffer::Attach(std::uint8_t* bits, std::uint32_t width, std::uint32_t stride, std::uint32_t height,
                            std::int32_t userX, std::int32_t userY) {
  DropSection();
  ImageBuffer::Attach(bits, width, stride, height, userX, userY);
}

int DibImageBuffer::SetColoursRgbx(const std::uint8_t* entries, int count, bool makeHandle) {
  if (entries == nullptr) return 0;
  std::array<RgbQuad, 256> quads = QuadsFromRgbx(entries);
  return SetColourTable(quads.data(), count, makeHandle);
}

int DibImageBuffer::SetColourTable(const RgbQuad* quads, int count, bool makeHandle) {
  if (!bitmap_ || quads == nullptr) return 0;
  std::vector<RgbQuad>& table = bitmap_->colourTable();
  int set = std::clamp(count, 0, static_cast<int>(table.size()));
  std::copy_n(quads, set, table.begin());
  if (!makeHandle) return set;
  return palette_.makeHandle(quads, set) ? set : 0;
}

std::shared_ptr<Bitmap> DibImageBuffer::MakeBitmap(std::uint32_t width, std::uint32_t height,
                                                   const ImagePalette& palette) {
  std::array<RgbQuad, 256> quads = palette.quads();
  std::array<std::uint8_t, 1024> entries{};
  for (int i = 0; i < 256; ++i) {
    entries[4 * i] = quads[i].red;
    entries[4 * i + 1] = quads[i].green;
    entries[4 * i + 2] = quads[i].blue;
  }
  return MakeBitmapFromRgbx(width, height, entries.data(), palette.GetCount());
}

std::shared_ptr<Bitmap> DibImageBuffer::MakeBitmapFromQuads(std::uint32_t width, std::uint32_t height,
                                                            const RgbQuad* quads, int count) {
  if (quads == nullptr || count == 0) return nullptr;
  BitmapInfoBlock block;
  FillTable(block, TableSource::Quads, quads, count);
  block.describeNewBitmap(width, height, 8);
  std::shared_ptr<Bitmap> section = block.createSection();
  if (section) {
    lent_ = section;
    bits_ = section->bits();
  }
  return section;
}

std::shared_ptr<Bitmap> DibImageBuffer::MakeBitmapFromRgbx(std::uint32_t width, std::uint32_t height,
                                                           const std::uint8_t* entries, int count) {
  if (entries == nullptr || count == 0) return nullptr;
  BitmapInfoBlock block;
  FillTable(block, TableSource::Rgbx, entries, count);
  return MakeBitmapFromQuads(width, height, block.colours.data(), 256);
}

void DibImageBuffer::AssignWithPalette(const std::uint8_t* bits, const ImagePalette& palette, std::uint32_t width,
                                       std::uint32_t stride, std::uint32_t height, std::int32_t userX,
                                       std::int32_t userY) {
  palette_ = palette;
  std::array<std::uint8_t, 1024> entries{};
  const auto& colours = palette.GetColours();
  for (int i = 0; i < 256; ++i) {
    entries[4 * i] = colours[i].red;
    entries[4 * i + 1] = colours[i].green;
    entries[4 * i + 2] = colours[i].blue;
  }
  AssignRgbx(bits, entries.data(), palette.GetCount(), width, stride, height, userX, userY);
}

void DibImageBuffer::AssignRgb(const std::uint8_t* bits, const std::uint8_t* rgbTriples, int count,
                               std::uint32_t width, std::uint32_t stride, std::uint32_t height, std::int32_t userX,
                               std::int32_t userY) {
  AssignFrom(bits, TableSource::Triples, rgbTriples, count, width, stride, height, userX, userY);
}

void DibImageBuffer::AssignQuads(const std::uint8_t* bits, const RgbQuad* quads, int count, std::uint32_t width,
                                 std::uint32_t stride, std::uint32_t height, std::int32_t userX,
                                 std::int32_t userY) {
  AssignFrom(bits, TableSource::Quads, quads, count, width, stride, height, userX, userY);
}

void DibImageBuffer::AssignRgbx(const std::uint8_t* bits, const std::uint8_t* entries, int count,
                                std::uint32_t width, std::uint32_t stride, std::uint32_t height, std::int32_t userX,
                                std::int32_t userY) {
  AssignFrom(bits, TableSource::Rgbx, entries, count, width, stride, height, userX, userY);
}

void DibImageBuffer::AssignFrom(const std::uint8_t* bits, TableSource source, const void* table, int count,
                                std::uint32_t width, std::uint32_t stride, std::uint32_t height,
                                std::int32_t userX, std::int32_t userY) {
  DropSection();
  SetLayout(width, stride, height, userX, userY);
  BitmapInfoBlock block;
  FillTable(block, source, table, count);
  block.describeNewBitmap(width, height, 8);
  bool made = AdoptNewSection(block);
  if (made && bits != nullptr) {
    std::uint8_t* target = LockWrite();
    for (std::uint32_t r = 0; r < height; ++r)
      std::memcpy(target + static_cast<std::size_t>(stride_) * r, bits + static_cast<std::size_t>(stride) * r, width);
    UnlockWrite();
  }
  if (table != nullptr) palette_.makeHandle(block.colours.data(), count);
}

std::shared_ptr<Bitmap> DibImageBuffer::Detach() {
  flags_ &= ~kOwnsStorage;
  bits_ = nullptr;
  lent_.reset();
  return std::move(bitmap_);
}

}  // namespace mascot
