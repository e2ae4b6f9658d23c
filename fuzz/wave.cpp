// Walks arbitrary bytes as a WAV image and describes what it finds.
#include <cstddef>
#include <cstdint>
#include <span>

#include "sound/wave_format.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  mascot::WaveFormatInfo format;
  std::uint32_t waveSize = 0;
  if (mascot::FindWaveFormat(std::span<const std::uint8_t>(data, size), &format, waveSize)) {
    volatile std::size_t length = mascot::FormatSoundInfo(format, waveSize).size();
    (void)length;
  }
  return 0;
}
