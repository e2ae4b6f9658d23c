// Feeds arbitrary bytes to the XPM reader through a file, as the importer
// meets them.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <string>

#include "import/xpm_reader.h"
#include "scratch_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::string& path = fuzz::WriteScratch(data, size);

  mascot::ForgetLoadedXpms();  // the same path holds new bytes each time
  if (mascot::SharedHandle<mascot::Bitmap> bitmap = mascot::LoadXpm(path)) {
    // Every pixel, padding included, must be readable.
    volatile std::uint32_t sink = 0;
    for (int y = 0; y < bitmap->height(); ++y)
      for (int x = 0; x < bitmap->width(); ++x) sink = sink + bitmap->pixelColour(x, y);
  }
  return 0;
}
