#include "sound/wave_format.h"

#include <algorithm>
#include <array>
#include <cstring>

#include "sound/sound_file.h"

namespace mascot {
namespace {

constexpr std::size_t kRiffSizeOffset = 4;
constexpr std::size_t kFirstChunkOffset = 12;
constexpr std::size_t kChunkHeaderSize = 8;

std::uint16_t ReadU16(const std::uint8_t* p) {
  return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}

std::uint32_t ReadU32(const std::uint8_t* p) {
  return static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
         (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24);
}

bool IsFormatChunk(const std::uint8_t* id) { return std::memcmp(id, "fmt ", 4) == 0; }

// The body is copied as far as the image goes; the format chunk's own length
// does not limit it, and bytes beyond the image read as zero.
WaveFormatInfo DecodeWaveFormat(std::span<const std::uint8_t> wave, std::size_t body) {
  std::array<std::uint8_t, WaveFormatInfo::kStoredSize> raw{};
  if (body < wave.size()) {
    std::size_t available = std::min(raw.size(), wave.size() - body);
    std::memcpy(raw.data(), wave.data() + body, available);
  }
  WaveFormatInfo format;
  format.formatTag = ReadU16(&raw[0]);
  format.channels = ReadU16(&raw[2]);
  format.samplesPerSecond = ReadU32(&raw[4]);
  format.averageBytesPerSecond = ReadU32(&raw[8]);
  format.blockAlign = ReadU16(&raw[12]);
  format.bitsPerSample = ReadU16(&raw[14]);
  format.extraSize = ReadU16(&raw[16]);
  return format;
}

const char* ChannelText(std::uint16_t channels) {
  if (channels == 1) return "Mono";
  if (channels == 2) return "Stereo";
  return "";
}

}  // namespace

bool FindWaveFormat(std::span<const std::uint8_t> wave, WaveFormatInfo* format, std::uint32_t& size) {
  if (wave.size() < kRiffSizeOffset + 4) return false;
  std::uint32_t riffSize = ReadU32(wave.data() + kRiffSizeOffset);
  size = riffSize - 4;  // wraps for a RIFF size below 4, as the 32-bit field does

  // The RIFF size may claim more than the image holds: the walk never leaves the image.
  std::uint64_t end = std::min<std::uint64_t>(8ull + riffSize, wave.size());
  std::uint64_t chunk = kFirstChunkOffset;
  while (chunk + kChunkHeaderSize <= end) {
    const std::uint8_t* header = wave.data() + chunk;
    if (IsFormatChunk(header)) {
      if (format != nullptr) *format = DecodeWaveFormat(wave, static_cast<std::size_t>(chunk + kChunkHeaderSize));
      return true;
    }
    chunk += kChunkHeaderSize + ReadU32(header + 4);
  }
  return false;
}

bool FindWaveFormatInFile(std::string_view path, WaveFormatInfo* format, std::uint32_t& size) {
  SoundFileContents contents = ReadSoundFile(path);
  if (contents.status != SoundFileStatus::Loaded) return false;
  return FindWaveFormat(contents.bytes, format, size);
}

std::string FormatSoundInfo(const WaveFormatInfo& format, std::uint32_t size) {
  return "Fmt: " + std::to_string(format.bitsPerSample) + "-bit, " + std::to_string(format.samplesPerSecond) +
         "Hz, " + ChannelText(format.channels) + "\nSize: " + std::to_string(size) + " bytes";
}

}  // namespace mascot
