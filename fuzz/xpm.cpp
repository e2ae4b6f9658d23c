// Feeds arbitrary bytes to the XPM reader through a file, as the importer
// meets them.
#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "import/xpm_reader.h"

namespace {

// Plain arrays: exit handlers run after the destructors of statics made
// later than their registration, and must not read a destroyed string.
char scratchPath[] = "/tmp/fuzz_xpm_XXXXXX";

const char* ScratchPath() {
  static const bool made = [] {
    int fd = mkstemp(scratchPath);
    if (fd >= 0) close(fd);
    std::atexit([] { unlink(scratchPath); });
    return true;
  }();
  (void)made;
  return scratchPath;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string path = ScratchPath();
  std::FILE* file = std::fopen(path.c_str(), "wb");
  if (!file) return 0;
  if (size) std::fwrite(data, 1, size, file);
  std::fclose(file);

  mascot::ForgetLoadedXpms();  // the same path holds new bytes each time
  if (mascot::SharedHandle<mascot::Bitmap> bitmap = mascot::LoadXpm(path)) {
    // Every pixel, padding included, must be readable.
    volatile std::uint32_t sink = 0;
    for (int y = 0; y < bitmap->height(); ++y)
      for (int x = 0; x < bitmap->width(); ++x) sink = sink + bitmap->pixelColour(x, y);
  }
  return 0;
}
