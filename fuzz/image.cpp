// Feeds arbitrary bytes to the image file readers through a file, as the
// program meets them.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "imaging/image_file_loader.h"

namespace {

// A plain array: the exit handler runs after static strings are destroyed.
char g_scratchPath[] = "/tmp/fuzz_image_XXXXXX";

const char* ScratchPath() {
  static const bool made = [] {
    int fd = mkstemp(g_scratchPath);
    if (fd >= 0) close(fd);
    std::atexit([] { unlink(g_scratchPath); });
    return true;
  }();
  (void)made;
  return g_scratchPath;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = ScratchPath();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  if (size) std::fwrite(data, 1, size, file);
  std::fclose(file);

  mascot::DetectImageFileType(path);
  if (mascot::SharedHandle<mascot::Bitmap> bitmap = mascot::LoadImageFile(path)) {
    // Every pixel of the picture must be readable.
    volatile std::uint32_t sink = 0;
    for (int y = 0; y < bitmap->height(); ++y)
      for (int x = 0; x < bitmap->width(); ++x) sink = sink + bitmap->pixelColour(x, y);
  }
  std::uint32_t bpp = 0, width = 0, height = 0;
  mascot::GetImageFileInfo(path, bpp, width, height);
  return 0;
}
