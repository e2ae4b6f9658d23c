#include "imaging/image_file_loader.h"

#include <array>
#include <cerrno>
#include <cstring>
#include <optional>
#include <vector>

#include "errors/error_codes.h"
#include "errors/system_error.h"
#include "imaging/bmp_reader.h"
#include "imaging/byte_order.h"
#include "imaging/dib_image_buffer.h"
#include "storage/file_bytes.h"
#include "imaging/image_file.h"
#include "imaging/lbm_reader.h"
#include "imaging/pcx_reader.h"
#include "imaging/program_bitmaps.h"
#include "storage/resource_file.h"

namespace mascot {
namespace {

constexpr std::size_t kSignatureSize = 12;

bool BytesAre(std::span<const std::uint8_t> bytes, std::size_t offset, const char* text) {
  for (std::size_t i = 0; text[i] != '\0'; ++i)
    if (bytes[offset + i] != static_cast<std::uint8_t>(text[i])) return false;
  return true;
}

ImageFileType ClassifySignature(std::span<const std::uint8_t> bytes) {
  if (bytes.size() < kSignatureSize) return ImageFileType::Unknown;
  if (ReadLe32(bytes.data()) == kResourceFileMagic) return ImageFileType::ResourceContainer;
  if (BytesAre(bytes, 0, "FORM")) {
    if (BytesAre(bytes, 8, "ANIM")) return ImageFileType::IffAnimation;
    if (BytesAre(bytes, 8, "ILBM") || BytesAre(bytes, 8, "PBM ")) return ImageFileType::IffPicture;
    return ImageFileType::Unknown;
  }
  if (bytes[0] == 0x0A) return bytes[1] != 0x0D ? ImageFileType::Pcx : ImageFileType::Unknown;
  if (BytesAre(bytes, 0, "GIF")) return ImageFileType::Gif;
  if (BytesAre(bytes, 0, "BM")) return ImageFileType::Bmp;
  return ImageFileType::Unknown;
}

// Sets why a file that no reader takes failed: a file too short to tell,
// or one of a kind that is no picture here (unknown, GIF, a container). A
// file that cannot be opened has left its own reason.
SharedHandle<Bitmap> NotAPicture(std::string_view fileName) {
  std::optional<std::vector<std::uint8_t>> start = ReadFileStart(fileName, kSignatureSize);
  if (start) SetLastSystemError(start->size() < kSignatureSize ? kErrUnexpectedEnd : CrtErrorCode(EINVAL));
  return nullptr;
}

// The bitmap a reader left in the image file, handed over to the caller.
SharedHandle<Bitmap> DetachImage(ImageFile& imageFile) {
  auto* image = dynamic_cast<DibImageBuffer*>(imageFile.image());
  if (!image) return nullptr;
  return image->Detach();
}

SharedHandle<Bitmap> LoadLbm(const std::vector<std::uint8_t>& bytes) {
  DibImageFile imageFile;
  if (ReadLbmBytes(bytes, imageFile, kLbmLoadPicture, nullptr) != kLbmOk) return nullptr;
  // The FORM ended before a picture's BODY.
  if (!imageFile.image()) {
    SetLastSystemError(kErrUnexpectedEnd);
    return nullptr;
  }
  const ImagePalette& palette = imageFile.palette();
  static_assert(sizeof(PaletteColour) == 4);
  std::array<std::uint8_t, 1024> entries{};
  std::memcpy(entries.data(), palette.GetColours().data(), entries.size());
  imageFile.image()->SetColoursRgbx(entries.data(), palette.GetCount(), true);
  return DetachImage(imageFile);
}

SharedHandle<Bitmap> LoadPcx(const std::vector<std::uint8_t>& bytes) {
  DibImageFile imageFile;
  if (!ReadPcxBytes(bytes, imageFile)) return nullptr;
  return DetachImage(imageFile);
}

bool LbmInfo(const std::vector<std::uint8_t>& bytes, std::uint32_t& bpp, std::uint32_t& width,
             std::uint32_t& height) {
  ImageFile imageFile;
  std::uint8_t header[kBmhdSize] = {};
  bool sawHeader = false;
  if (ReadLbmBytes(bytes, imageFile, kLbmHeaderOnly, header, &sawHeader) != kLbmOk) return false;
  if (!sawHeader) {
    SetLastSystemError(kErrUnexpectedEnd);
    return false;
  }
  LbmBitmapHeader bmhd = DecodeBmhd(header);
  bpp = bmhd.planes;
  width = bmhd.width;
  height = bmhd.height;
  return true;
}

bool PcxInfo(std::string_view fileName, std::uint32_t& bpp, std::uint32_t& width, std::uint32_t& height) {
  std::optional<std::vector<std::uint8_t>> bytes = ReadFileStart(fileName, kPcxHeaderSize);
  if (!bytes) return false;
  if (bytes->size() < kPcxHeaderSize) {
    SetLastSystemError(kErrUnexpectedEnd);
    return false;
  }
  PcxHeader header = DecodePcxHeader(bytes->data());
  if (header.manufacturer != 10 || header.width() < 1 || header.height() < 1) {
    SetLastErrorFromErrno(EINVAL);
    return false;
  }
  bpp = static_cast<std::uint32_t>(header.bitsPerPixel());
  width = static_cast<std::uint32_t>(header.width());
  height = static_cast<std::uint32_t>(header.height());
  return true;
}

}  // namespace

ImageFileType DetectImageFileType(std::string_view fileName) {
  if (fileName.empty()) return ImageFileType::Unknown;
  std::optional<std::vector<std::uint8_t>> bytes = ReadFileStart(fileName, kSignatureSize);
  if (!bytes) return ImageFileType::Unknown;
  return ClassifySignature(*bytes);
}

ImageFileType DetectImageFileType(int resourceId) {
  return resourceId > 0 && resourceId <= kMaxResourceNumber ? ImageFileType::ProgramResource
                                                              : ImageFileType::Unknown;
}

SharedHandle<Bitmap> LoadImageFile(std::string_view fileName) {
  ImageFileType type = DetectImageFileType(fileName);
  if (type == ImageFileType::Bmp) return ReadBmpFile(fileName);
  if (type != ImageFileType::IffAnimation && type != ImageFileType::IffPicture && type != ImageFileType::Pcx)
    return NotAPicture(fileName);
  std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(fileName);
  if (!bytes) return nullptr;
  return type == ImageFileType::Pcx ? LoadPcx(*bytes) : LoadLbm(*bytes);
}

SharedHandle<Bitmap> LoadImageFile(int resourceId) {
  std::span<const std::uint8_t> bytes;
  if (DetectImageFileType(resourceId) == ImageFileType::ProgramResource) bytes = FindProgramBitmap(resourceId);
  if (bytes.empty()) {
    SetLastErrorFromErrno(ENOENT);
    return nullptr;
  }
  if (bytes.size() >= 2 && bytes[0] == 'B' && bytes[1] == 'M') return ReadBmp(bytes);
  return ReadPackedDib(bytes);
}

bool GetImageFileInfo(std::string_view fileName, std::uint32_t& bitsPerPixel, std::uint32_t& width,
                      std::uint32_t& height) {
  switch (DetectImageFileType(fileName)) {
    case ImageFileType::IffAnimation:
    case ImageFileType::IffPicture: {
      std::optional<std::vector<std::uint8_t>> bytes = ReadWholeFile(fileName);
      return bytes && LbmInfo(*bytes, bitsPerPixel, width, height);
    }
    case ImageFileType::Pcx: return PcxInfo(fileName, bitsPerPixel, width, height);
    case ImageFileType::Bmp: {
      std::shared_ptr<Bitmap> bitmap = ReadBmpFile(fileName);
      if (!bitmap) return false;
      bitsPerPixel = static_cast<std::uint32_t>(bitmap->bitsPerPixel());
      width = static_cast<std::uint32_t>(bitmap->width());
      height = static_cast<std::uint32_t>(bitmap->height());
      return true;
    }
    default: NotAPicture(fileName); return false;
  }
}

}  // namespace mascot
