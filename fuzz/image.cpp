// Feeds arbitrary bytes to the image file readers through a file, as the
// program meets them.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>
#include <vector>

#include "imaging/image_file_loader.h"
#include "model/transparent_region.h"
#include "scratch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = fuzz::WriteScratch(data, size);

  mascot::DetectImageFileType(path);
  if (mascot::SharedHandle<mascot::Bitmap> bitmap = mascot::LoadImageFile(path)) {
    // Every pixel of the picture must be readable.
    volatile std::uint32_t sink = 0;
    for (int y = 0; y < bitmap->height(); ++y)
      for (int x = 0; x < bitmap->width(); ++x) sink = sink + bitmap->pixelColour(x, y);
    // And its shape, as the frame loader builds it.
    std::vector<mascot::Rect> rects;
    mascot::BuildTransparentRegion(bitmap.get(), rects, true);
  }
  std::uint32_t bpp = 0, width = 0, height = 0;
  mascot::GetImageFileInfo(path, bpp, width, height);
  return 0;
}
