#pragma once
#include <cstdint>
#include <string_view>

#include "imaging/bitmap.h"

namespace mascot {

// What a file (or a picture of the program's own, by number) holds, told
// from its first 12 bytes.
enum class ImageFileType : int {
  Unknown = -1,
  ResourceContainer = 0,
  IffAnimation = 1,
  IffPicture = 2,
  Pcx = 3,
  Gif = 4,
  Bmp = 5,
  ProgramResource = 6,
};

ImageFileType DetectImageFileType(std::string_view fileName);
ImageFileType DetectImageFileType(int resourceId);

// The one entry point that turns an image file into a picture; null on any
// failure (the caller reports it).
SharedHandle<Bitmap> LoadImageFile(std::string_view fileName);
SharedHandle<Bitmap> LoadImageFile(int resourceId);

// Depth and size without keeping the picture; the outputs are written only
// on success.
bool GetImageFileInfo(std::string_view fileName, std::uint32_t& bitsPerPixel, std::uint32_t& width,
                      std::uint32_t& height);

}  // namespace mascot
