#pragma once
#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace mascot {

// The first 18 bytes of a WAV "fmt " chunk body (the WAVEFORMATEX layout).
struct WaveFormatInfo {
  static constexpr std::size_t kStoredSize = 18;

  std::uint16_t formatTag = 0;
  std::uint16_t channels = 0;
  std::uint32_t samplesPerSecond = 0;
  std::uint32_t averageBytesPerSecond = 0;
  std::uint16_t blockAlign = 0;
  std::uint16_t bitsPerSample = 0;
  std::uint16_t extraSize = 0;
  bool operator==(const WaveFormatInfo&) const = default;
};

// Walks the RIFF chunks of a WAV image for its "fmt " chunk. size is set
// first, to the RIFF size - 4, whenever the image holds a RIFF size; format
// (when not null) is filled only on success. Chunks are not padded to even
// sizes, and the ids of the RIFF header are not checked.
bool FindWaveFormat(std::span<const std::uint8_t> wave, WaveFormatInfo* format, std::uint32_t& size);

// The same on a whole file, read as the sound load reads it.
bool FindWaveFormatInFile(std::string_view path, WaveFormatInfo* format, std::uint32_t& size);

// The editor's description: "Fmt: 16-bit, 22050Hz, Mono\nSize: 44132 bytes".
std::string FormatSoundInfo(const WaveFormatInfo& format, std::uint32_t size);

}  // namespace mascot
