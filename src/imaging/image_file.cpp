#include "imaging/image_file.h"

#include <algorithm>

#include "imaging/dib_image_buffer.h"

namespace mascot {
namespace {

// A new image carries the held image's colours over: all 256 set into its
// table, the palette handle shared rather than made again.
void CarryPaletteOver(ImageBuffer* from, DibImageBuffer& to) {
  ImagePalette* palette = from ? from->GetPalette() : nullptr;
  if (!palette) return;
  std::array<RgbQuad, 256> quads = palette->quads();
  to.SetColourTable(quads.data(), 256, false);
  to.CopyPalette(*palette);
}

}  // namespace

std::shared_ptr<ImageBuffer> ImageFile::CreateImage(std::uint8_t* bits, const ImageLayout& layout) {
  return std::make_shared<ImageBuffer>(bits, layout.width, layout.stride, layout.height, layout.userX,
                                       layout.userY);
}

bool ImageFile::SetImageData(std::uint8_t* bits, const ImageLayout& layout) {
  if (!image_) return false;
  image_->Attach(bits, layout.width, layout.stride, layout.height, layout.userX, layout.userY);
  return true;
}

void ImageFile::NewImage(std::uint32_t width, std::uint32_t height, int) {
  image_ = std::make_shared<ImageBuffer>(width, height);
}

std::shared_ptr<ImageBuffer> ImageFile::MakeResizeTarget(std::uint32_t width, std::uint32_t height) {
  auto target = std::make_shared<ImageBuffer>(width, height);
  target->FillRect(0, 0, static_cast<int>(target->width()), static_cast<int>(target->height()), 0);
  return target;
}

void ImageFile::Resize(std::uint32_t width, std::uint32_t height) {
  if (!image_) return;
  std::shared_ptr<ImageBuffer> target = MakeResizeTarget(width, height);
  auto copyWidth = static_cast<int>(std::min(width, image_->width()));
  auto copyHeight = static_cast<int>(std::min(height, image_->height()));
  if (target->IsValid()) image_->Copy(0, 0, *target, 0, 0, copyWidth, copyHeight, 0);
  image_ = std::move(target);
}

int ImageFile::SetPalette(const RgbQuad* quads, int count) {
  if (image_) image_->SetColourTable(quads, count, true);
  if (quads == nullptr || count <= 0) return 0;
  palette_.setColoursFromQuads(quads, count);
  return count;
}

std::shared_ptr<ImageBuffer> DibImageFile::CreateImage(std::uint8_t* bits, const ImageLayout& layout) {
  return std::make_shared<DibImageBuffer>(bits, layout.colours.data(), palette_.GetCount(), layout.width,
                                          layout.stride, layout.height, layout.userX, layout.userY);
}

bool DibImageFile::SetImageData(std::uint8_t* bits, const ImageLayout& layout) {
  auto* image = dynamic_cast<DibImageBuffer*>(image_.get());
  if (!image) return false;
  image->AssignRgb(bits, layout.colours.data(), palette_.GetCount(), layout.width, layout.stride, layout.height,
                   layout.userX, layout.userY);
  return true;
}

void DibImageFile::NewImage(std::uint32_t width, std::uint32_t height, int bitCount) {
  auto image = std::make_shared<DibImageBuffer>(width, height, bitCount);
  CarryPaletteOver(image_.get(), *image);
  image_ = std::move(image);
}

std::shared_ptr<ImageBuffer> DibImageFile::MakeResizeTarget(std::uint32_t width, std::uint32_t height) {
  auto target = std::make_shared<DibImageBuffer>(width, height, 8);
  CarryPaletteOver(image_.get(), *target);
  // Every row starts at index 0.
  if (std::uint8_t* bits = target->LockWrite())
    std::fill_n(bits, static_cast<std::size_t>(target->stride()) * target->height(), 0);
  target->UnlockWrite();
  return target;
}

void DibImageFile::Resize(std::uint32_t width, std::uint32_t height) {
  if (!image_) return;
  if (image_->width() == width && image_->height() == height) return;
  ImageFile::Resize(width, height);
}

}  // namespace mascot
